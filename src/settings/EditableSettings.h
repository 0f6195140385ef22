#pragma once
// What the settings window edits: the options of "Allgemein", the colours of
// "Ansicht" and the codes of "Shortcuts", read when the window opens and
// written when it is saved.

#include "platform/Colour.h"
#include "settings/Shortcuts.h"

#include <array>
#include <string>

namespace tonlira {

// The scroll-speed slider counts tenths: 1 to 20 is 0.1 to 2.0.
inline constexpr int scrollSliderMinimum = 1;
inline constexpr int scrollSliderMaximum = 20;
inline constexpr float scrollSliderStepsPerUnit = 10.0F;

// The six colours of "Ansicht", in the order of the window's rows and of
// the keys in the file.
enum class ColourSetting : std::uint8_t { Background, Player, Dial, Display, Playlist, Library };
inline constexpr int colourSettingCount = 6;
using ColourSet = std::array<Colour, colourSettingCount>;

struct EditableSettings {
    int defaultVolume = 0;           // "std_lautstärke", 0 to 14
    bool showPlaylist = false;       // "playlist"
    bool showLibrary = false;        // "bibliothek"
    bool multipleInstances = false;  // "mehrere_instanzen"
    int scrollSteps = 0;             // "Scrollspeed" in tenths, as the slider shows it
    ColourSet colours{};
    ShortcutCodes shortcuts{};
};

// Scroll speed to slider steps (1.0 gives 10) and back (15 gives 1.5).
int scrollStepsFor(float scrollSpeed);
float scrollSpeedFor(int scrollSteps);

// Reads everything the window shows, each missing key taking the default
// start-up uses ("playlist" 0, "bibliothek" 1), so that saving unchanged
// keeps the next start as it is. A file that cannot be read gives the
// defaults.
EditableSettings readEditableSettings(const std::string& path);

// The live values the window saves besides its own controls.
struct LiveLook {
    float scrollSpeed = 1.0F;
    ColourSet colours{};
};

enum class SaveResult {
    Saved,
    NoFile,       // the file could not be opened: nothing was written
    WriteFailed,  // the file was read but could not be rewritten; it keeps its old content
};

// Writes "Allgemein" ("std_lautstärke", "playlist", "bibliothek",
// "mehrere_instanzen", "Scrollspeed"), "Ansicht" (the six live colours) and
// "Shortcuts" ("0" to "18"), in this order.
SaveResult saveEditableSettings(const std::string& path, const EditableSettings& edited, const LiveLook& live);

}  // namespace tonlira
