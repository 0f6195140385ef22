#pragma once
// The general options and colours kept in the preferences file, the names
// they are stored under, and the program's own operations on that file.

#include "platform/Colour.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tonlira {

// Groups of the preferences file.
inline constexpr std::string_view kGroupGeneral = "Allgemein";
inline constexpr std::string_view kGroupView = "Ansicht";
inline constexpr std::string_view kGroupShortcuts = "Shortcuts";
inline constexpr std::string_view kGroupLibrary = "Bibliothek";

// Keys of "Allgemein".
inline constexpr std::string_view kKeyMultipleInstances = "mehrere_instanzen";
inline constexpr std::string_view kKeyDefaultVolume = "std_lautstärke";
inline constexpr std::string_view kKeyShowPlaylist = "playlist";
inline constexpr std::string_view kKeyShowLibrary = "bibliothek";
inline constexpr std::string_view kKeyScrollSpeed = "Scrollspeed";

// Keys of "Ansicht".
inline constexpr std::string_view kKeyBackgroundColour = "hintergrundfarbe";
inline constexpr std::string_view kKeyPlayerColour = "playerfarbe";
inline constexpr std::string_view kKeyDialColour = "drehreglerfarbe";
inline constexpr std::string_view kKeyDisplayColour = "anzeigefeldfarbe";
inline constexpr std::string_view kKeyPlaylistColour = "playlistfarbe";
inline constexpr std::string_view kKeyLibraryColour = "bibliothekfarbe";

// Defaults of the start-up load.
inline constexpr int kDefaultMultipleInstances = 1;
inline constexpr int kDefaultDefaultVolume = 0;
inline constexpr int kDefaultShowPlaylist = 0;
inline constexpr int kDefaultShowLibrary = 1;
inline constexpr float kDefaultScrollSpeed = 1.0F;
inline constexpr Colour kDefaultBackgroundColour = 0x000000;
inline constexpr Colour kDefaultPlayerColour = 0x575757;
inline constexpr Colour kDefaultDialColour = 0xB7B7B7;
inline constexpr Colour kDefaultDisplayColour = 0xFE1D01;
inline constexpr Colour kDefaultPlaylistColour = 0x9D9D9D;
inline constexpr Colour kDefaultLibraryColour = 0x9D9D9D;

// Shortcut keys "0" to "18" of "Shortcuts" read 0 (no shortcut) when missing.
inline constexpr int kDefaultShortcutCode = 0;

// Where the preferences live below the application-data folder.
inline constexpr std::string_view kSettingsFolderName = "Tonlira";
inline constexpr std::string_view kSettingsFileName = "Tonlira.prefs";

// The options of "Allgemein" and the colours of "Ansicht", each field named
// after its key. Only the low byte of the two 8-bit fields survives a load.
struct Settings {
    std::int32_t mehrereInstanzen = kDefaultMultipleInstances;
    std::int8_t stdLautstaerke = kDefaultDefaultVolume;
    std::int32_t playlist = kDefaultShowPlaylist;
    std::int8_t bibliothek = kDefaultShowLibrary;
    float scrollspeed = kDefaultScrollSpeed;
    Colour hintergrundfarbe = kDefaultBackgroundColour;
    Colour playerfarbe = kDefaultPlayerColour;
    Colour drehreglerfarbe = kDefaultDialColour;
    Colour anzeigefeldfarbe = kDefaultDisplayColour;
    Colour playlistfarbe = kDefaultPlaylistColour;
    Colour bibliothekfarbe = kDefaultLibraryColour;
};

// `settingsBase` is the application-data folder followed by "/".
std::string settingsFolder(const std::string& settingsBase);  // base + "Tonlira"
std::string settingsPath(const std::string& settingsBase);    // base + "Tonlira/Tonlira.prefs"

// The start-up load: finds or creates the settings folder and reads the
// options and colours, each missing one taking its default. A first start
// (no "Tonlira" entry in the base) creates the folder and an empty file; an
// existing preferences file is never emptied, and when the base cannot be
// listed nothing is created that is already there.
Settings loadStartupSettings(const std::string& settingsBase);

// Stores one of the two show flags ("playlist", "bibliothek") in
// "Allgemein" as 0 or 1. Does nothing when the file cannot be opened.
void storeShowFlag(const std::string& path, std::string_view key, bool shown);

struct PrefsKeyValue {
    std::string key;
    std::string value;
};

// The save at exit: both show flags in "Allgemein", then every given key in
// "Bibliothek". Does nothing when the file cannot be opened.
void saveAtExit(const std::string& path, bool playlistShown, bool libraryShown,
                const std::vector<PrefsKeyValue>& libraryKeys);

}  // namespace tonlira
