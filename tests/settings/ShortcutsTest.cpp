// Shortcut names, and what the settings window reads from and writes to the
// preferences file.

#include "settings/EditableSettings.h"
#include "settings/PreferencesFile.h"
#include "settings/PrefsTestSupport.h"
#include "settings/Settings.h"
#include "settings/Shortcuts.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace tonlira::test {
namespace {

namespace fs = std::filesystem;

TEST(ShortcutNameTest, EveryKeyNameAndPrefixAndTheEdges) {
    struct Case {
        ShortcutCode code;
        const char* name;
    };
    // clang-format off
    const Case cases[] = {
        // Every prefix, on a letter.
        {0x20050, "Strg + P"},
        {0x40050, "Alt + P"},
        {0x10050, "Umschalt + P"},
        {0x60050, "Strg + Alt + P"},
        {0x30050, "Strg + Umschalt + P"},
        {0x50050, "Umschalt + Alt + P"},
        {0x70050, "Strg + Umschalt + Alt + P"},
        // The ends of each run of keys.
        {0x30, "0"}, {0x39, "9"}, {0x41, "A"}, {0x52, "R"}, {0x5A, "Z"},
        {0x60, "Pad0"}, {0x69, "Pad9"}, {0x70, "F1"}, {0x74, "F5"}, {0x87, "F24"},
        // Every single key.
        {0x6A, "*"}, {0x6B, "+"}, {0x6D, "-"}, {0x6E, ","}, {0x6F, "/"}, {0x90, "NumLock"},
        {0x0D, "Enter"}, {0x13, "Pause"}, {0x2A, "Print"}, {0x09, "Tab"}, {0x1B, "Escape"},
        {0x20, "Space"}, {0x2E, "Delete"}, {0x26, "Up"}, {0x27, "Right"}, {0x25, "Left"},
        {0x28, "Down"}, {0x24, "Home"}, {0x2D, "Insert"}, {0x23, "End"},
        // Names stay English after a German prefix.
        {0x2002E, "Strg + Delete"}, {0x6002E, "Strg + Alt + Delete"}, {0x10074, "Umschalt + F5"},
        {0x40067, "Alt + Pad7"}, {0x20090, "Strg + NumLock"}, {0x2006B, "Strg + +"},
        // Nothing bound, or modifiers without a key.
        {0, ""}, {0x20000, ""}, {0x70000, ""},
        // Keys without a name below 0x96 keep their prefix.
        {0x20021, "Strg + "}, {0x21, ""}, {0x08, ""}, {0x88, ""}, {0x40008, "Alt + "},
        {0x20095, "Strg + "},
        // From 0x96 on there is no prefix, and a code with modifier bits has no name.
        {0x20096, ""}, {0x200BA, ""}, {0x96, ""}, {0x2F, ""}, {0x5B, ""}, {0x6C, ""}, {0x88000, ""},
        // Bits beyond Alt are no modifier.
        {0x80050, ""},
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(shortcutName(c.code), c.name) << std::hex << c.code;
    }
}

class EditableSettingsTest : public ::testing::Test {
protected:
    EditableSettingsTest() { fs::create_directories(path.parent_path()); }

    TempDir dir;
    fs::path path = dir / "Tonlira" / "Tonlira.prefs";
};

TEST_F(EditableSettingsTest, WithoutAFileTheWindowShowsItsDefaults) {
    for (const bool fileExists : {false, true}) {
        if (fileExists) {
            writeFile(path, "");
        }
        const EditableSettings values = readEditableSettings(path);
        EXPECT_EQ(values.defaultVolume, 0);
        EXPECT_FALSE(values.showPlaylist) << "as start-up reads it";
        EXPECT_TRUE(values.showLibrary) << "as start-up reads it";
        EXPECT_TRUE(values.multipleInstances);
        EXPECT_EQ(values.scrollSteps, 10);
        EXPECT_EQ(values.colours, (ColourSet{0x000000, 0x575757, 0xB7B7B7, 0xFE1D01, 0x9D9D9D, 0x9D9D9D}));
        EXPECT_EQ(values.shortcuts, ShortcutCodes{});
        EXPECT_EQ(fs::exists(path), fileExists) << "reading creates nothing";
    }
}

TEST_F(EditableSettingsTest, StoredValuesAreShownAndTheScrollSpeedRounded) {
    writeFile(path, crlfLines({"[Allgemein]", "std_lautst\xE4rke = 7", "playlist = 0", "bibliothek = 1",
                               "mehrere_instanzen = 0", "Scrollspeed = 1.25", "[Ansicht]", "playerfarbe = 255",
                               "bibliothekfarbe =", "[Shortcuts]", "7 = 131152", "18 = 116", "3 = junk"}));
    const EditableSettings values = readEditableSettings(path);
    EXPECT_EQ(values.defaultVolume, 7);
    EXPECT_FALSE(values.showPlaylist);
    EXPECT_TRUE(values.showLibrary);
    EXPECT_FALSE(values.multipleInstances);
    EXPECT_EQ(values.scrollSteps, 12) << "12.5 rounds to the even neighbour";
    EXPECT_EQ(values.colours[1], 255U);
    EXPECT_EQ(values.colours[5], 0U) << "an empty value reads 0";
    EXPECT_EQ(values.colours[2], 0xB7B7B7U);
    ShortcutCodes expected{};
    expected[7] = 131152;
    expected[18] = 116;
    EXPECT_EQ(values.shortcuts, expected);

    const std::pair<float, int> steps[] = {{1.0F, 10}, {1.5F, 15}, {0.1F, 1}, {2.0F, 20}, {0.35F, 4}};
    for (const auto& [speed, slider] : steps) {
        EXPECT_EQ(scrollStepsFor(speed), slider) << speed;
    }
    EXPECT_FLOAT_EQ(scrollSpeedFor(15), 1.5F);
    EXPECT_FLOAT_EQ(scrollSpeedFor(1), 0.1F);
}

TEST_F(EditableSettingsTest, SavingWritesEveryKeyInItsOrderAndKeepsTheRest) {
    writeFile(path, crlfLines({"; mine", "[Bibliothek]", "Musik:0 = /m/", "[Allgemein]", "Scrollspeed = 1.0",
                               "playlist = 1", "[Shortcuts]", "7 = 5"}));
    EditableSettings edited;
    edited.defaultVolume = 3;
    edited.showPlaylist = false;
    edited.showLibrary = true;
    edited.multipleInstances = true;
    edited.shortcuts[7] = 131152;
    edited.shortcuts[18] = 0x6002E;
    const LiveLook live{scrollSpeedFor(15), {1, 2, 3, 4, 5, 6}};
    EXPECT_EQ(saveEditableSettings(path, edited, live), SaveResult::Saved);

    // Keys already there keep their place ("7" in "Shortcuts"); new keys
    // follow the group's last entry in writing order; "Ansicht" is new and
    // goes to the end.
    std::string expected =
        crlfLines({"; mine", "[Bibliothek]", "Musik:0 = /m/", "[Allgemein]", "Scrollspeed = 1.500000", "playlist = 0",
                   "std_lautst\xE4rke = 3", "bibliothek = 1", "mehrere_instanzen = 1", "[Shortcuts]", "7 = 131152"});
    for (int i = 0; i < shortcutActionCount; ++i) {
        if (i != 7) {
            expected +=
                std::to_string(i) + " = " + std::to_string(edited.shortcuts[static_cast<std::size_t>(i)]) + "\r\n";
        }
    }
    expected += crlfLines({"[Ansicht]", "hintergrundfarbe = 1", "playerfarbe = 2", "drehreglerfarbe = 3",
                           "anzeigefeldfarbe = 4", "playlistfarbe = 5", "bibliothekfarbe = 6"});
    EXPECT_EQ(readFile(path), expected);
}

TEST_F(EditableSettingsTest, AFreshFileGetsTheGroupsInWritingOrder) {
    writeFile(path, "");
    EditableSettings edited = readEditableSettings(path);
    edited.scrollSteps = 15;
    const LiveLook live{scrollSpeedFor(edited.scrollSteps), edited.colours};
    ASSERT_EQ(saveEditableSettings(path, edited, live), SaveResult::Saved);
    std::string expected =
        crlfLines({"[Allgemein]", "std_lautst\xE4rke = 0", "playlist = 0", "bibliothek = 1", "mehrere_instanzen = 1",
                   "Scrollspeed = 1.500000", "[Ansicht]", "hintergrundfarbe = 0", "playerfarbe = 5723991",
                   "drehreglerfarbe = 12040119", "anzeigefeldfarbe = 16653569", "playlistfarbe = 10329501",
                   "bibliothekfarbe = 10329501", "[Shortcuts]"});
    for (int i = 0; i < shortcutActionCount; ++i) {
        expected += std::to_string(i) + " = 0\r\n";
    }
    EXPECT_EQ(readFile(path), expected);
}

TEST_F(EditableSettingsTest, AFailedSaveWritesNothingAndSaysSo) {
    const EditableSettings edited;
    const LiveLook live;
    EXPECT_EQ(saveEditableSettings(path, edited, live), SaveResult::NoFile);
    EXPECT_FALSE(fs::exists(path)) << "without a file nothing is written";

    const std::string before = crlfLines({"[Allgemein]", "playlist = 1", "[Shortcuts]", "7 = 131152"});
    writeFile(path, before);
    setMode(dir.path(), 0755);
    setMode(path.parent_path(), 0755);
    setMode(path, 0444);
    const std::string failures = asUnprivilegedUser([&] {
        std::string failed;
        check(failed, saveEditableSettings(path, edited, live) == SaveResult::WriteFailed,
              "a read-only file is reported as not saved");
        return failed;
    });
    EXPECT_EQ(failures, "");
    EXPECT_EQ(readFile(path), before);
}

}  // namespace
}  // namespace tonlira::test
