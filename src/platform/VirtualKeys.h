#pragma once
// Keys as the preferences file names them: Windows virtual-key codes. One
// table maps each code the program knows to the Qt key that stands for it
// here, and a pressed Qt key back to its code.
//
// Keys of the numeric keypad are the Qt key with the keypad modifier (Pad0 is
// Qt::Key_0 on the keypad). Punctuation follows a US layout: a shifted symbol
// ("!", ":", "?") names the key it sits on ("1", ";", "/"), as the
// virtual-key code does. Enter and Return are both 0x0D.

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

}  // namespace tonlira
