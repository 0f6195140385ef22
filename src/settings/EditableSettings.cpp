#include "settings/EditableSettings.h"

#include "platform/Rounding.h"
#include "settings/PreferencesFile.h"
#include "settings/Settings.h"

#include <string_view>

namespace tonlira {
namespace {

struct ColourKey {
    std::string_view key;
    Colour fallback;
};

// Indexed by ColourSetting.
constexpr std::array<ColourKey, colourSettingCount> colourKeys{{
    {kKeyBackgroundColour, kDefaultBackgroundColour},
    {kKeyPlayerColour, kDefaultPlayerColour},
    {kKeyDialColour, kDefaultDialColour},
    {kKeyDisplayColour, kDefaultDisplayColour},
    {kKeyPlaylistColour, kDefaultPlaylistColour},
    {kKeyLibraryColour, kDefaultLibraryColour},
}};

int flag(bool on) { return on ? 1 : 0; }

}  // namespace

int scrollStepsFor(float scrollSpeed) { return rnd(scrollSpeed * scrollSliderStepsPerUnit); }

float scrollSpeedFor(int scrollSteps) { return static_cast<float>(scrollSteps) / scrollSliderStepsPerUnit; }

EditableSettings readEditableSettings(const std::string& path) {
    PreferencesFile file;
    file.open(path);  // without a file, every value is its default

    EditableSettings values;
    file.selectGroup(kGroupGeneral);
    values.defaultVolume = file.readInteger(kKeyDefaultVolume, kDefaultDefaultVolume);
    values.showPlaylist = file.readInteger(kKeyShowPlaylist, kDefaultShowPlaylist) != 0;
    values.showLibrary = file.readInteger(kKeyShowLibrary, kDefaultShowLibrary) != 0;
    values.multipleInstances = file.readInteger(kKeyMultipleInstances, kDefaultMultipleInstances) != 0;
    values.scrollSteps = scrollStepsFor(file.readFloat(kKeyScrollSpeed, kDefaultScrollSpeed));

    file.selectGroup(kGroupView);
    for (std::size_t i = 0; i < colourKeys.size(); ++i) {
        values.colours[i] =
            static_cast<Colour>(file.readInteger(colourKeys[i].key, static_cast<int>(colourKeys[i].fallback)));
    }

    values.shortcuts = readShortcutCodes(file);
    file.close();
    return values;
}

SaveResult saveEditableSettings(const std::string& path, const EditableSettings& edited, const LiveLook& live) {
    PreferencesFile file;
    if (!file.open(path)) {
        return SaveResult::NoFile;
    }
    file.selectGroup(kGroupGeneral);
    file.writeInteger(kKeyDefaultVolume, edited.defaultVolume);
    file.writeInteger(kKeyShowPlaylist, flag(edited.showPlaylist));
    file.writeInteger(kKeyShowLibrary, flag(edited.showLibrary));
    file.writeInteger(kKeyMultipleInstances, flag(edited.multipleInstances));
    file.writeFloat(kKeyScrollSpeed, live.scrollSpeed);

    file.selectGroup(kGroupView);
    for (std::size_t i = 0; i < colourKeys.size(); ++i) {
        file.writeInteger(colourKeys[i].key, static_cast<int>(live.colours[i]));
    }

    writeShortcutCodes(file, edited.shortcuts);
    return file.close() ? SaveResult::Saved : SaveResult::WriteFailed;
}

}  // namespace tonlira
