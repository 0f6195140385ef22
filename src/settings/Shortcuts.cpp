#include "settings/Shortcuts.h"

#include "settings/PreferencesFile.h"
#include "settings/Settings.h"

#include <array>
#include <string_view>

namespace tonlira {
namespace {

struct Prefix {
    ShortcutCode modifiers;
    std::string_view text;
};

// Tested in this order; the first that fits is taken.
constexpr std::array prefixes{
    Prefix{shortcutControl, "Strg + "},
    Prefix{shortcutAlt, "Alt + "},
    Prefix{shortcutShift, "Umschalt + "},
    Prefix{shortcutControl | shortcutAlt, "Strg + Alt + "},
    Prefix{shortcutControl | shortcutShift, "Strg + Umschalt + "},
    Prefix{shortcutShift | shortcutAlt, "Umschalt + Alt + "},
    Prefix{shortcutControl | shortcutShift | shortcutAlt, "Strg + Umschalt + Alt + "},
};
// Only key codes below this get a prefix.
constexpr ShortcutCode prefixedKeyLimit = 0x96;

struct KeyName {
    ShortcutCode key;
    std::string_view name;
};

constexpr std::array singleNames{
    KeyName{0x6A, "*"},      KeyName{0x6B, "+"},       KeyName{0x6D, "-"},      KeyName{0x6E, ","},
    KeyName{0x6F, "/"},      KeyName{0x90, "NumLock"}, KeyName{0x0D, "Enter"},  KeyName{0x13, "Pause"},
    KeyName{0x2A, "Print"},  KeyName{0x09, "Tab"},     KeyName{0x1B, "Escape"}, KeyName{0x20, "Space"},
    KeyName{0x2E, "Delete"}, KeyName{0x26, "Up"},      KeyName{0x27, "Right"},  KeyName{0x25, "Left"},
    KeyName{0x28, "Down"},   KeyName{0x24, "Home"},    KeyName{0x2D, "Insert"}, KeyName{0x23, "End"},
};

struct KeyRun {
    ShortcutCode first;
    ShortcutCode last;
};
constexpr KeyRun digits{0x30, 0x39};
constexpr KeyRun letters{0x41, 0x5A};
constexpr KeyRun padDigits{0x60, 0x69};
constexpr KeyRun functionKeys{0x70, 0x87};

constexpr bool inRun(ShortcutCode key, KeyRun run) { return key >= run.first && key <= run.last; }

std::string keyName(ShortcutCode key) {
    if (inRun(key, digits)) {
        return std::string(1, static_cast<char>('0' + (key - digits.first)));
    }
    if (inRun(key, letters)) {
        return std::string(1, static_cast<char>('A' + (key - letters.first)));
    }
    if (inRun(key, padDigits)) {
        return "Pad" + std::to_string(key - padDigits.first);
    }
    if (inRun(key, functionKeys)) {
        return "F" + std::to_string(key - functionKeys.first + 1);
    }
    for (const KeyName& entry : singleNames) {
        if (entry.key == key) {
            return std::string(entry.name);
        }
    }
    return {};
}

std::string keyOf(ShortcutAction action) { return std::to_string(numberOf(action)); }

}  // namespace

std::string shortcutName(ShortcutCode code) {
    std::string text;
    for (const Prefix& prefix : prefixes) {
        if (code > prefix.modifiers && code < prefix.modifiers + prefixedKeyLimit) {
            text = prefix.text;
            code -= prefix.modifiers;
            break;
        }
    }
    return text + keyName(code);
}

ShortcutCodes readShortcutCodes(PreferencesFile& file) {
    ShortcutCodes codes{};
    file.selectGroup(kGroupShortcuts);
    for (int number = 0; number < shortcutActionCount; ++number) {
        const int stored = file.readInteger(keyOf(shortcutActionAt(number)), kDefaultShortcutCode);
        codes[static_cast<std::size_t>(number)] = static_cast<ShortcutCode>(stored);
    }
    return codes;
}

void writeShortcutCodes(PreferencesFile& file, const ShortcutCodes& codes) {
    file.selectGroup(kGroupShortcuts);
    for (int number = 0; number < shortcutActionCount; ++number) {
        file.writeInteger(keyOf(shortcutActionAt(number)), static_cast<int>(codes[static_cast<std::size_t>(number)]));
    }
}

}  // namespace tonlira
