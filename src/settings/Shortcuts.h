#pragma once
// Keyboard shortcuts: the 19 bindable commands, their key codes as the group
// "Shortcuts" of the preferences file stores them, and the names shown for
// them in the menu and the settings window.

#include "platform/Ids.h"

#include <array>
#include <cstdint>
#include <string>

namespace tonlira {

class PreferencesFile;

// One bindable command. Its number is the number of its menu item and of its
// key in "Shortcuts".
enum class ShortcutAction : std::uint8_t {
    OpenFile = 0,
    OpenFolder = 1,
    AddLibraryFolder = 2,
    ClearLibrary = 3,
    AddFiles = 4,
    ClearPlaylist = 5,
    Quit = 6,
    PlayPause = 7,
    Stop = 8,
    SkipBack = 9,
    SkipForward = 10,
    Previous = 11,
    Next = 12,
    ShowLibrary = 13,
    ShowPlaylist = 14,
    ShowStatusBar = 15,
    StayOnTop = 16,
    MinimiseToTaskbar = 17,
    Settings = 18,
};
inline constexpr int shortcutActionCount = 19;

constexpr int numberOf(ShortcutAction action) { return static_cast<int>(action); }
constexpr ShortcutAction shortcutActionAt(int number) { return static_cast<ShortcutAction>(number); }
constexpr MenuId menuItemOf(ShortcutAction action) { return static_cast<MenuId>(action); }
static_assert(menuItemOf(ShortcutAction::PlayPause) == MenuId::PlayPause);
static_assert(menuItemOf(ShortcutAction::Settings) == MenuId::Settings);

// A key combination: the virtual-key code in the low 16 bits, Shift, Control
// and Alt in bits 16 to 18. 0 is no shortcut; Control+P is 0x20050.
using ShortcutCode = std::uint32_t;
inline constexpr ShortcutCode shortcutShift = 0x10000;
inline constexpr ShortcutCode shortcutControl = 0x20000;
inline constexpr ShortcutCode shortcutAlt = 0x40000;
inline constexpr ShortcutCode shortcutKeyMask = 0xFFFF;
inline constexpr ShortcutCode noShortcut = 0;

constexpr ShortcutCode makeShortcutCode(std::uint16_t key, bool shift, bool control, bool alt) {
    return key | (shift ? shortcutShift : 0) | (control ? shortcutControl : 0) | (alt ? shortcutAlt : 0);
}
constexpr std::uint16_t shortcutKey(ShortcutCode code) { return static_cast<std::uint16_t>(code & shortcutKeyMask); }
constexpr bool hasShift(ShortcutCode code) { return (code & shortcutShift) != 0; }
constexpr bool hasControl(ShortcutCode code) { return (code & shortcutControl) != 0; }
constexpr bool hasAlt(ShortcutCode code) { return (code & shortcutAlt) != 0; }

// The German display text: a modifier prefix such as "Strg + " followed by
// the key's name ("Strg + P", "Umschalt + F5"). A code without a named key
// gives the prefix alone, or nothing.
std::string shortcutName(ShortcutCode code);

// The code of every action, index = action number.
using ShortcutCodes = std::array<ShortcutCode, shortcutActionCount>;

// Reads "0" to "18" of "Shortcuts" from an open file; a missing key is 0.
// Selects the group.
ShortcutCodes readShortcutCodes(PreferencesFile& file);
// Writes "0" to "18" of "Shortcuts" into an open file. Selects the group.
void writeShortcutCodes(PreferencesFile& file, const ShortcutCodes& codes);

}  // namespace tonlira
