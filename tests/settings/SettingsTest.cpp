// The start-up load and the program's saves into the preferences file.

#include "settings/Settings.h"

#include "settings/PreferencesFile.h"
#include "settings/PrefsTestSupport.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace tonlira::test {
namespace {

namespace fs = std::filesystem;

bool hasDefaults(const Settings& s) {
    return s.mehrereInstanzen == 1 && s.stdLautstaerke == 0 && s.playlist == 0 && s.bibliothek == 1 &&
           s.scrollspeed == 1.0F && s.hintergrundfarbe == 0 && s.playerfarbe == 5723991 &&
           s.drehreglerfarbe == 12040119 && s.anzeigefeldfarbe == 16653569 && s.playlistfarbe == 10329501 &&
           s.bibliothekfarbe == 10329501;
}

class SettingsTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string base = dir.path().string() + "/";
    fs::path folder = settingsFolder(base);
    fs::path path = settingsPath(base);
};

TEST_F(SettingsTest, FirstStartCreatesAnEmptyFileThatFillsOnSave) {
    EXPECT_EQ(path.string(), base + "Tonlira/Tonlira.prefs");
    EXPECT_TRUE(hasDefaults(loadStartupSettings(base)));
    ASSERT_TRUE(fs::is_directory(folder));
    ASSERT_TRUE(fs::exists(path));
    EXPECT_EQ(fs::file_size(path), 0U);

    {  // "Speichern" in the settings window, then a toggle and the exit.
        PreferencesFile file;
        ASSERT_TRUE(file.open(path));
        file.selectGroup(kGroupGeneral);
        file.writeInteger(kKeyDefaultVolume, 0);
        file.writeInteger(kKeyShowPlaylist, 1);
        file.writeInteger(kKeyShowLibrary, 1);
        file.writeInteger(kKeyMultipleInstances, 1);
        file.writeFloat(kKeyScrollSpeed, 1.0F);
        file.selectGroup(kGroupShortcuts);
        file.writeInteger("7", 131152);
    }
    storeShowFlag(path, kKeyShowLibrary, false);
    saveAtExit(path, false, true, {{"Musik:0", "/home/anna/Musik/"}, {"Pop:1", "/home/anna/Musik/Pop/"}});
    EXPECT_EQ(readFile(path),
              crlfLines({"[Allgemein]", "std_lautst\xE4rke = 0", "playlist = 0", "bibliothek = 1",
                         "mehrere_instanzen = 1", "Scrollspeed = 1.000000", "[Shortcuts]", "7 = 131152",
                         "[Bibliothek]", "Musik:0 = /home/anna/Musik/", "Pop:1 = /home/anna/Musik/Pop/"}));
}

TEST_F(SettingsTest, StoredValuesAreReadWithTheirWidthsAndLeftUntouched) {
    fs::create_directory(folder);
    const std::string stored = crlfLines({"[Allgemein]", "mehrere_instanzen = 0", "STD_LAUTST\xE4RKE = 200",
                                          "playlist = 1", "bibliothek = 256", "Scrollspeed = 1.500000", "[Ansicht]",
                                          "hintergrundfarbe = 255", "playerfarbe =", "bibliothekfarbe = 16777215"});
    writeFile(path, stored);
    const Settings s = loadStartupSettings(base);
    EXPECT_EQ(s.mehrereInstanzen, 0);
    EXPECT_EQ(s.stdLautstaerke, -56) << "only the low byte survives";
    EXPECT_EQ(s.playlist, 1);
    EXPECT_EQ(s.bibliothek, 0);
    EXPECT_FLOAT_EQ(s.scrollspeed, 1.5F);
    EXPECT_EQ(s.hintergrundfarbe, 0xFFU);
    EXPECT_EQ(s.playerfarbe, 0U) << "an empty value is black, not the default";
    EXPECT_EQ(s.drehreglerfarbe, kDefaultDialColour);
    EXPECT_EQ(s.bibliothekfarbe, 0xFFFFFFU);
    EXPECT_EQ(readFile(path), stored);
}

TEST_F(SettingsTest, AFolderWithoutItsFileGivesDefaultsAndTakesNoSaves) {
    fs::create_directory(folder);
    EXPECT_TRUE(hasDefaults(loadStartupSettings(base)));
    storeShowFlag(path, kKeyShowPlaylist, true);
    saveAtExit(path, true, false, {{"Musik:0", "/m/"}});
    EXPECT_TRUE(fs::is_empty(folder));
}

TEST_F(SettingsTest, APlainFileNamedLikeTheFolderBlocksTheSettings) {
    writeFile(folder, "not a folder");
    EXPECT_TRUE(hasDefaults(loadStartupSettings(base)));
    saveAtExit(path, true, false, {});
    EXPECT_EQ(readFile(folder), "not a folder");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST_F(SettingsTest, AFolderNamedInOtherLetterCaseIsNotTheSettingsFolder) {
    fs::create_directory(dir / "tonlira");
    writeFile(dir / "tonlira" / "Tonlira.prefs", crlfLines({"[Allgemein]", "playlist = 1"}));
    EXPECT_TRUE(hasDefaults(loadStartupSettings(base)));
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(fs::file_size(path), 0U);
    EXPECT_EQ(readFile(dir / "tonlira" / "Tonlira.prefs"), crlfLines({"[Allgemein]", "playlist = 1"}));
}

TEST_F(SettingsTest, ABaseThatCannotBeListedNeverLosesAnExistingFile) {
    setMode(dir.path(), 0755);
    for (const char* name : {"kept", "fresh"}) {
        fs::create_directory(dir / name);
        setMode(dir / name, 0333);  // may be entered and written, not listed
    }
    fs::create_directory(dir / "kept" / "Tonlira");
    setMode(dir / "kept" / "Tonlira", 0777);
    const std::string stored = crlfLines({"[Allgemein]", "playlist = 1"});
    writeFile(dir / "kept" / "Tonlira" / "Tonlira.prefs", stored);
    setMode(dir / "kept" / "Tonlira" / "Tonlira.prefs", 0666);

    const std::string failures = asUnprivilegedUser([&] {
        std::string failed;
        check(failed, loadStartupSettings((dir / "kept").string() + "/").playlist == 1, "the existing file is read");
        const std::string fresh = (dir / "fresh").string() + "/";
        check(failed, hasDefaults(loadStartupSettings(fresh)), "a fresh base gives defaults");
        check(failed, fs::file_size(settingsPath(fresh)) == 0, "a fresh base gets an empty file");
        check(failed, hasDefaults(loadStartupSettings((dir / "absent").string() + "/")),
              "a missing base gives defaults");
        return failed;
    });
    EXPECT_EQ(failures, "");
    EXPECT_EQ(readFile(dir / "kept" / "Tonlira" / "Tonlira.prefs"), stored);
    EXPECT_FALSE(fs::exists(dir / "absent"));
}

}  // namespace
}  // namespace tonlira::test
