#include "settings/Settings.h"

#include "platform/FileSystem.h"
#include "settings/PreferencesFile.h"

#include <algorithm>
#include <sys/stat.h>

namespace tonlira {

namespace {

bool isFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

// Opens the existing file, or creates an empty one where there is none.
void openOrCreate(PreferencesFile& file, const std::string& path) {
    if (exists(path)) {
        file.open(path);
    } else {
        file.create(path);
    }
}

// Finds or creates the settings folder and opens the preferences file in it.
void openStartupFile(PreferencesFile& file, const std::string& settingsBase) {
    const std::string folder = settingsFolder(settingsBase);
    const std::string path = settingsPath(settingsBase);
    if (const auto entries = listDirectory(settingsBase)) {
        // Names are case-sensitive here: "tonlira" is someone else's entry.
        const bool found = std::any_of(entries->begin(), entries->end(),
                                       [](const DirectoryEntry& e) { return e.name == kSettingsFolderName; });
        if (found) {
            file.open(path);
        } else if (createFolder(folder)) {
            openOrCreate(file, path);
        } else {
            file.open(path);
        }
        return;
    }
    // The base cannot be listed, so decide by what is there.
    if (isFolder(folder) || !createFolder(folder)) {
        file.open(path);
    } else {
        openOrCreate(file, path);
    }
}

}  // namespace

std::string settingsFolder(const std::string& settingsBase) {
    return settingsBase + std::string(kSettingsFolderName);
}

std::string settingsPath(const std::string& settingsBase) {
    return settingsFolder(settingsBase) + "/" + std::string(kSettingsFileName);
}

Settings loadStartupSettings(const std::string& settingsBase) {
    PreferencesFile file;
    openStartupFile(file, settingsBase);

    Settings settings;
    file.selectGroup(kGroupGeneral);
    settings.mehrereInstanzen = file.readInteger(kKeyMultipleInstances, kDefaultMultipleInstances);
    settings.stdLautstaerke = static_cast<std::int8_t>(file.readInteger(kKeyDefaultVolume, kDefaultDefaultVolume));
    settings.playlist = file.readInteger(kKeyShowPlaylist, kDefaultShowPlaylist);
    settings.bibliothek = static_cast<std::int8_t>(file.readInteger(kKeyShowLibrary, kDefaultShowLibrary));
    settings.scrollspeed = file.readFloat(kKeyScrollSpeed, kDefaultScrollSpeed);

    const auto readColour = [&file](std::string_view key, Colour fallback) {
        return static_cast<Colour>(file.readInteger(key, static_cast<int>(fallback)));
    };
    file.selectGroup(kGroupView);
    settings.hintergrundfarbe = readColour(kKeyBackgroundColour, kDefaultBackgroundColour);
    settings.playerfarbe = readColour(kKeyPlayerColour, kDefaultPlayerColour);
    settings.drehreglerfarbe = readColour(kKeyDialColour, kDefaultDialColour);
    settings.anzeigefeldfarbe = readColour(kKeyDisplayColour, kDefaultDisplayColour);
    settings.playlistfarbe = readColour(kKeyPlaylistColour, kDefaultPlaylistColour);
    settings.bibliothekfarbe = readColour(kKeyLibraryColour, kDefaultLibraryColour);

    file.close();
    return settings;
}

void storeShowFlag(const std::string& path, std::string_view key, bool shown) {
    PreferencesFile file;
    if (!file.open(path)) {
        return;
    }
    file.selectGroup(kGroupGeneral);
    file.writeInteger(key, shown ? 1 : 0);
    file.close();
}

void saveAtExit(const std::string& path, bool playlistShown, bool libraryShown,
                const std::vector<PrefsKeyValue>& libraryKeys) {
    PreferencesFile file;
    if (!file.open(path)) {
        return;
    }
    file.selectGroup(kGroupGeneral);
    file.writeInteger(kKeyShowPlaylist, playlistShown ? 1 : 0);
    file.writeInteger(kKeyShowLibrary, libraryShown ? 1 : 0);
    file.selectGroup(kGroupLibrary);
    std::vector<std::string> written;
    written.reserve(libraryKeys.size());
    for (const auto& [key, value] : libraryKeys) {
        file.writeString(key, value);
        written.push_back(key);
    }
    // The group holds the library as it is now: keys of folders it no longer
    // has, or a second spelling of a key, would come back as folders at the
    // next start.
    file.keepOnlyKeys(written);
    file.close();
}

}  // namespace tonlira
