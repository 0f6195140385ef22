#include "platform/VirtualKeys.h"

#include <X11/keysym.h>

#include <array>
#include <iterator>

namespace tonlira {
namespace {

constexpr VirtualKey firstDigit = 0x30;
constexpr VirtualKey firstLetter = 0x41;
constexpr VirtualKey firstPadDigit = 0x60;
constexpr VirtualKey firstFunctionKey = 0x70;
constexpr int digitCount = 10;
constexpr int letterCount = 26;
constexpr int functionKeyCount = 24;

constexpr VirtualKeyRow plain(VirtualKey code, Qt::Key key) { return {code, {key, false}}; }
constexpr VirtualKeyRow pad(VirtualKey code, Qt::Key key) { return {code, {key, true}}; }

// The keys that are not in a run of letters, digits or function keys.
constexpr std::array namedRows{
    plain(vk::Backspace, Qt::Key_Backspace),
    plain(vk::Tab, Qt::Key_Tab),
    plain(vk::Enter, Qt::Key_Return),
    plain(0x13, Qt::Key_Pause),
    plain(vk::Escape, Qt::Key_Escape),
    plain(vk::Space, Qt::Key_Space),
    plain(0x21, Qt::Key_PageUp),
    plain(0x22, Qt::Key_PageDown),
    plain(0x23, Qt::Key_End),
    plain(0x24, Qt::Key_Home),
    plain(0x25, Qt::Key_Left),
    plain(0x26, Qt::Key_Up),
    plain(0x27, Qt::Key_Right),
    plain(0x28, Qt::Key_Down),
    plain(0x2A, Qt::Key_Print),
    plain(0x2D, Qt::Key_Insert),
    plain(vk::Delete, Qt::Key_Delete),
    pad(0x6A, Qt::Key_Asterisk),
    pad(0x6B, Qt::Key_Plus),
    pad(0x6D, Qt::Key_Minus),
    pad(0x6E, Qt::Key_Period),  // the decimal key
    pad(0x6F, Qt::Key_Slash),
    plain(0x90, Qt::Key_NumLock),
    // Punctuation of a US layout.
    plain(0xBA, Qt::Key_Semicolon),
    plain(0xBB, Qt::Key_Equal),
    plain(0xBC, Qt::Key_Comma),
    plain(0xBD, Qt::Key_Minus),
    plain(0xBE, Qt::Key_Period),
    plain(0xBF, Qt::Key_Slash),
    plain(0xC0, Qt::Key_QuoteLeft),
    plain(0xDB, Qt::Key_BracketLeft),
    plain(0xDC, Qt::Key_Backslash),
    plain(0xDD, Qt::Key_BracketRight),
    plain(0xDE, Qt::Key_Apostrophe),
};

constexpr std::size_t rowCount = std::size(namedRows) + 2 * digitCount + letterCount + functionKeyCount;

constexpr Qt::Key keyAfter(Qt::Key first, int offset) { return static_cast<Qt::Key>(first + offset); }
constexpr VirtualKey codeAfter(VirtualKey first, int offset) { return static_cast<VirtualKey>(first + offset); }

constexpr std::array<VirtualKeyRow, rowCount> buildRows() {
    std::array<VirtualKeyRow, rowCount> rows{};
    std::size_t next = 0;
    for (int i = 0; i < digitCount; ++i) {
        rows[next++] = plain(codeAfter(firstDigit, i), keyAfter(Qt::Key_0, i));
    }
    for (int i = 0; i < letterCount; ++i) {
        rows[next++] = plain(codeAfter(firstLetter, i), keyAfter(Qt::Key_A, i));
    }
    for (int i = 0; i < digitCount; ++i) {
        rows[next++] = pad(codeAfter(firstPadDigit, i), keyAfter(Qt::Key_0, i));
    }
    for (int i = 0; i < functionKeyCount; ++i) {
        rows[next++] = plain(codeAfter(firstFunctionKey, i), keyAfter(Qt::Key_F1, i));
    }
    for (const VirtualKeyRow& row : namedRows) {
        rows[next++] = row;
    }
    return rows;
}

constexpr std::array<VirtualKeyRow, rowCount> rows = buildRows();

// Other Qt keys that name a key of the table: the shifted symbols of a US
// layout, Shift+Tab, and the keypad's own Enter and decimal comma.
constexpr std::array aliases{
    plain(0x31, Qt::Key_Exclam),     plain(0x32, Qt::Key_At),         plain(0x33, Qt::Key_NumberSign),
    plain(0x34, Qt::Key_Dollar),     plain(0x35, Qt::Key_Percent),    plain(0x36, Qt::Key_AsciiCircum),
    plain(0x37, Qt::Key_Ampersand),  plain(0x38, Qt::Key_Asterisk),   plain(0x39, Qt::Key_ParenLeft),
    plain(0x30, Qt::Key_ParenRight), plain(0xBA, Qt::Key_Colon),      plain(0xBB, Qt::Key_Plus),
    plain(0xBC, Qt::Key_Less),       plain(0xBD, Qt::Key_Underscore), plain(0xBE, Qt::Key_Greater),
    plain(0xBF, Qt::Key_Question),   plain(0xC0, Qt::Key_AsciiTilde), plain(0xDB, Qt::Key_BraceLeft),
    plain(0xDC, Qt::Key_Bar),        plain(0xDD, Qt::Key_BraceRight), plain(0xDE, Qt::Key_QuoteDbl),
    plain(vk::Tab, Qt::Key_Backtab), pad(vk::Enter, Qt::Key_Enter),   plain(vk::Enter, Qt::Key_Enter),
    pad(0x6E, Qt::Key_Comma),
};

// The digit row's key codes in the X keyboard map (and so on Wayland):
// "1" to "9", then "0".
constexpr std::uint32_t firstDigitRowKeycode = 10;
constexpr std::uint32_t zeroKeycode = 19;

constexpr VirtualKey firstPunctuation = 0xBA;

constexpr bool printsNothing(VirtualKey code) {
    return code < firstDigit || (code >= firstFunctionKey && code < firstPunctuation);
}

struct SymbolRow {
    std::uint32_t keysym;
    VirtualKey code;
};

// Punctuation keys by their unshifted symbol: those of a US layout, and the
// keys of a German one as its virtual keys name them.
constexpr std::array punctuation{
    SymbolRow{XK_semicolon, 0xBA},  SymbolRow{XK_equal, 0xBB},           SymbolRow{XK_plus, 0xBB},
    SymbolRow{XK_comma, 0xBC},      SymbolRow{XK_minus, 0xBD},           SymbolRow{XK_period, 0xBE},
    SymbolRow{XK_slash, 0xBF},      SymbolRow{XK_grave, 0xC0},           SymbolRow{XK_bracketleft, 0xDB},
    SymbolRow{XK_backslash, 0xDC},  SymbolRow{XK_bracketright, 0xDD},    SymbolRow{XK_apostrophe, 0xDE},
    SymbolRow{XK_udiaeresis, 0xBA}, SymbolRow{XK_numbersign, 0xBF},      SymbolRow{XK_odiaeresis, 0xC0},
    SymbolRow{XK_ssharp, 0xDB},     SymbolRow{XK_dead_circumflex, 0xDC}, SymbolRow{XK_asciicircum, 0xDC},
    SymbolRow{XK_dead_acute, 0xDD}, SymbolRow{XK_adiaeresis, 0xDE},      SymbolRow{XK_less, 0xE2},
};

template <class Rows>
std::optional<VirtualKey> find(const Rows& table, int qtKey, bool keypad) {
    for (const VirtualKeyRow& row : table) {
        if (row.qt.key == qtKey && row.qt.keypad == keypad) {
            return row.code;
        }
    }
    return std::nullopt;
}

}  // namespace

std::span<const VirtualKeyRow> virtualKeyRows() { return rows; }

std::optional<QtKey> qtKeyFor(VirtualKey code) {
    for (const VirtualKeyRow& row : rows) {
        if (row.code == code) {
            return row.qt;
        }
    }
    return std::nullopt;
}

std::optional<VirtualKey> virtualKeyFor(int qtKey, bool keypad) {
    if (auto code = find(rows, qtKey, keypad)) {
        return code;
    }
    if (auto code = find(aliases, qtKey, keypad)) {
        return code;
    }
    // Without Num Lock the keypad gives the arrows, Home, End, Insert and
    // Delete; they are those keys.
    if (keypad) {
        return virtualKeyFor(qtKey, false);
    }
    return std::nullopt;
}

std::optional<VirtualKey> virtualKeyOf(const PressedKey& key) {
    if (key.keypad) {
        return virtualKeyFor(key.qtKey, true);
    }
    if (key.keycode >= firstDigitRowKeycode && key.keycode <= zeroKeycode) {
        return key.keycode == zeroKeycode
                   ? firstDigit
                   : codeAfter(firstDigit, static_cast<int>(key.keycode - firstDigitRowKeycode) + 1);
    }
    if (!key.unshiftedSymbol) {
        return virtualKeyFor(key.qtKey, false);
    }
    const std::uint32_t symbol = *key.unshiftedSymbol;
    if (symbol >= XK_a && symbol <= XK_z) {
        return codeAfter(firstLetter, static_cast<int>(symbol - XK_a));
    }
    if (symbol >= XK_A && symbol <= XK_Z) {
        return codeAfter(firstLetter, static_cast<int>(symbol - XK_A));
    }
    for (const SymbolRow& row : punctuation) {
        if (row.keysym == symbol) {
            return row.code;
        }
    }
    // Keys that print nothing (Enter, the arrows, F1, Num Lock) are what Qt
    // says; other symbols of the layout have no virtual key here.
    if (const auto code = find(rows, key.qtKey, false); code && printsNothing(*code)) {
        return code;
    }
    if (key.qtKey == Qt::Key_Backtab || key.qtKey == Qt::Key_Enter) {
        return find(aliases, key.qtKey, false);
    }
    return std::nullopt;
}

}  // namespace tonlira
