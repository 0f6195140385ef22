#pragma once
// Keys as the preferences file names them: Windows virtual-key codes. One
// table maps each code the program knows to the Qt key that stands for it
// here, and a pressed Qt key back to its code.
//
// Keys of the numeric keypad are the Qt key with the keypad modifier (Pad0 is
// Qt::Key_0 on the keypad). A pressed key is named by the physical key
// (virtualKeyOf); where the keyboard map is unknown, punctuation follows a
// US layout: a shifted symbol ("!", ":", "?") names the key it sits on ("1",
// ";", "/"). Enter and Return are both 0x0D.

#include <Qt>

#include <cstdint>
#include <optional>
#include <span>

namespace tonlira {

using VirtualKey = std::uint16_t;

// Codes the program itself refers to.
namespace vk {
inline constexpr VirtualKey Backspace = 0x08;
inline constexpr VirtualKey Tab = 0x09;
inline constexpr VirtualKey Enter = 0x0D;
inline constexpr VirtualKey Escape = 0x1B;
inline constexpr VirtualKey Space = 0x20;
inline constexpr VirtualKey Delete = 0x2E;
}  // namespace vk

struct QtKey {
    Qt::Key key;
    bool keypad;  // pressed on the numeric keypad
};

struct VirtualKeyRow {
    VirtualKey code;
    QtKey qt;
};

// Every code the table knows, with the Qt key it stands for.
std::span<const VirtualKeyRow> virtualKeyRows();

// The Qt key of a virtual-key code; nothing when no Qt key stands for it.
std::optional<QtKey> qtKeyFor(VirtualKey code);

// The virtual-key code of a pressed Qt key, as a key event reports it; nothing
// for keys without one (modifiers alone, keys outside the table).
std::optional<VirtualKey> virtualKeyFor(int qtKey, bool keypad);

// A key as pressed: Qt's key (the symbol after Shift and AltGr), whether it
// lies on the keypad, the window system's key code (0 when unknown) and the
// symbol the key carries without Shift and AltGr in the current layout, as
// an X keysym (nothing when the keyboard map is unknown).
struct PressedKey {
    int qtKey = 0;
    bool keypad = false;
    std::uint32_t keycode = 0;
    std::optional<std::uint32_t> unshiftedSymbol;
};

// The virtual key of the physical key, whatever Shift or AltGr make of it
// and whatever the layout: the digit row by position (Shift+8 is "8" on
// every layout), letters by the layout's base letter, punctuation by the
// key's unshifted symbol, keypad keys as keypad keys. Without a keyboard map
// it falls back to virtualKeyFor() on Qt's key.
std::optional<VirtualKey> virtualKeyOf(const PressedKey& key);

}  // namespace tonlira
