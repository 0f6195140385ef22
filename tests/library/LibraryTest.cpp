// The audio library: its keys in the preferences file (stored and read back
// through the real file, names a plain key cannot hold included), adding
// folders, what a folder shows, and the listing order.

#include "library/FolderListing.h"
#include "library/Library.h"
#include "library/LibraryKeys.h"
#include "settings/Settings.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tonlira {

void PrintTo(const LibraryFolder& folder, std::ostream* out) {
    *out << "{" << folder.name << ", " << folder.path << ", " << int{folder.level} << "}";
}

namespace test {
namespace {

namespace fs = std::filesystem;

class LibraryTest : public ::testing::Test {
protected:
    // The save at exit writes only into a file that is there.
    void SetUp() override { writeFile(prefs(), ""); }
    std::string prefs() const { return (dir / "Tonlira.prefs").string(); }
    void touch(const fs::path& path) { writeFile(path, "x"); }
    TempDir dir;
};

TEST_F(LibraryTest, PlainFoldersAreStoredAsNameColonLevel) {
    const LibraryList library{{"Musik", "/home/anna/Music/", 0}, {"Jazz", "/home/anna/Music/Jazz", 1}};
    saveAtExit(prefs(), false, true, libraryKeys(library));
    EXPECT_EQ(readFile(prefs()),
              "[Allgemein]\r\nplaylist = 0\r\nbibliothek = 1\r\n[Bibliothek]\r\n"
              "Musik:0 = /home/anna/Music/\r\nJazz:1 = /home/anna/Music/Jazz\r\n");
    EXPECT_EQ(loadLibrary(prefs()), library);
}

TEST_F(LibraryTest, KeysWrittenByHandReadAsNameAndLevel) {
    writeFile(prefs(),
              "[Bibliothek]\r\nMusik:0 = /m/ \r\nD::0 = D:\\\r\nJazz:1:alt = /m/Jazz\r\nOhne = /o/\r\n"
              "Wort:abc = /w/\r\n50%41:1:x = /p\r\n");
    const LibraryList expected{{"Musik", "/m/", 0}, {"D", "D:\\", 0},   {"Jazz", "/m/Jazz", 1},
                               {"Ohne", "/o/", 0},  {"Wort", "/w/", 0}, {"50%41", "/p", 1}};
    EXPECT_EQ(loadLibrary(prefs()), expected);
}

TEST_F(LibraryTest, EveryNameAndPathComesBackAfterARestart) {
    const LibraryList library{
        {"Musik", "/m/", 0},
        {"Jazz", "/m/Jazz", 1},
        {"Jazz", "/m2/Jazz", 1},  // equal name and level
        {"jazz", "/m3/jazz", 1},  // equal but for letter case
        {"a:b", "/m/a:b", 1},
        {"x=y", "/m/x=y", 1},
        {"[eckig]", "/m/[eckig]", 1},
        {";semi", "/m/;semi", 1},
        {" vorn", "/m/ vorn", 1},
        {"hinten ", "/m/hinten ", 1},
        {"100%3A", "/m/100%3A", 1},
        {"Zeile\numbruch", "/m/Zeile\numbruch", 1},
        {"音楽 🎵 Ärger", "/m/音楽 🎵 Ärger", 1},
        {"/", "/", 0},
        {"Musik", "/m/", 0},  // the same folder registered twice
    };
    saveAtExit(prefs(), true, true, libraryKeys(library));
    EXPECT_EQ(loadLibrary(prefs()), library);
    // Saved again over the same file, nothing doubles or moves.
    saveAtExit(prefs(), true, true, libraryKeys(loadLibrary(prefs())));
    EXPECT_EQ(loadLibrary(prefs()), library);
}

TEST_F(LibraryTest, KeysDifferingOnlyInCaseDoNotMultiplyAcrossRestarts) {
    writeFile(prefs(),
              "[Bibliothek]\r\n; meine Ordner\r\nMusic:0 = /a/\r\nmusic:0 = /b/\r\n[Shortcuts]\r\n0 = 0\r\n");
    const LibraryList expected{{"Music", "/a/", 0}, {"music", "/b/", 0}};
    ASSERT_EQ(loadLibrary(prefs()), expected);
    saveAtExit(prefs(), false, true, libraryKeys(loadLibrary(prefs())));
    const std::string once = readFile(prefs());
    EXPECT_EQ(loadLibrary(prefs()), expected);
    for (int start = 0; start < 3; ++start) {
        saveAtExit(prefs(), false, true, libraryKeys(loadLibrary(prefs())));
    }
    EXPECT_EQ(readFile(prefs()), once) << "each start and quit wrote the library anew";
    EXPECT_NE(once.find("; meine Ordner\r\n"), std::string::npos);
    EXPECT_NE(once.find("[Shortcuts]\r\n0 = 0\r\n"), std::string::npos);
}

TEST_F(LibraryTest, MoreThan127FoldersRoundTrip) {
    LibraryList library;
    for (int i = 0; i < 300; ++i) {
        library.push_back({"Ordner", "/m/" + std::to_string(i) + "/", static_cast<std::int8_t>(i % 2)});
    }
    saveAtExit(prefs(), false, true, libraryKeys(library));
    EXPECT_EQ(loadLibrary(prefs()), library);
}

TEST_F(LibraryTest, RemovingTheStoredLibraryKeepsTheRest) {
    saveAtExit(prefs(), true, false, libraryKeys({{"Musik", "/m/", 0}}));
    removeStoredLibrary(prefs());
    EXPECT_TRUE(loadLibrary(prefs()).empty());
    EXPECT_EQ(readFile(prefs()), "[Allgemein]\r\nplaylist = 1\r\nbibliothek = 0\r\n");
    EXPECT_TRUE(loadLibrary((dir / "missing" / "x.prefs").string()).empty());
}

TEST_F(LibraryTest, AddingFoldersRegistersOneLevelOfSubfoldersInListingOrder) {
    const fs::path music = dir / "Music";
    for (const char* sub : {"b", "A", "c/deeper", "ä"}) {
        fs::create_directories(music / sub);
    }
    touch(music / "song.mp3");
    fs::create_directories(dir / "Other");
    const std::string root = music.string() + "/";
    const std::string other = (dir / "Other").string() + "/";

    LibraryList library{{"Alt", "/alt/", 0}};
    const std::size_t first = addFolders(
        library, {{"Music", root}, {"Weg", (dir / "gone").string() + "/"}, {"Other", other}, {"Music", root}});
    EXPECT_EQ(first, 1U);
    const LibraryList expected{{"Alt", "/alt/", 0},  {"Music", root, 0},   {"A", root + "A", 1},
                               {"b", root + "b", 1}, {"c", root + "c", 1}, {"ä", root + "ä", 1},
                               {"Other", other, 0},  {"Music", root, 0},   {"A", root + "A", 1},
                               {"b", root + "b", 1}, {"c", root + "c", 1}, {"ä", root + "ä", 1}};
    EXPECT_EQ(library, expected);

    LibraryList many;
    std::vector<FolderRow> rows(200, FolderRow{"Other", other});
    addFolders(many, rows);
    EXPECT_EQ(many.size(), 200U);
}

TEST_F(LibraryTest, AFolderShowsItsSubfoldersAndExactCaseAudioFiles) {
    const fs::path music = dir / "Music";
    fs::create_directories(music / "Zeta");
    fs::create_directories(music / "alpha");
    for (const char* name : {"b.mp3", "A.flac", "c.MP3", "d.Ogg", "e.txt", "f.wma", "g.wav", "h.ogg", "noext"}) {
        touch(music / name);
    }
    const std::vector<std::string> expected{"A.flac", "alpha", "b.mp3", "f.wma", "g.wav", "h.ogg", "Zeta"};
    EXPECT_EQ(folderContents(music.string()), expected);
    EXPECT_TRUE(folderContents((dir / "vanished").string()).empty());
}

TEST(FolderListing, SortsWithoutRegardToCaseAndJoinsWithOneSlashOnly) {
    EXPECT_TRUE(listsBefore("apfel", "Birne"));
    EXPECT_TRUE(listsBefore("B", "b"));  // ties by byte order
    EXPECT_FALSE(listsBefore("b", "B"));
    EXPECT_TRUE(listsBefore("Zebra", "Äpfel"));  // by character code, as NTFS lists
    EXPECT_EQ(joinPath("/m", "x"), "/m/x");
    EXPECT_EQ(joinPath("/m/", "x"), "/m/x");
    EXPECT_EQ(joinPath("/m/Live\\", "x"), "/m/Live\\/x") << "a backslash is part of a name";
    EXPECT_EQ(folderNameOf("/home/anna/Music/"), "Music");
    EXPECT_EQ(folderNameOf("/"), "/");
    EXPECT_EQ(folderNameOf("/音楽/"), "音楽");
}

}  // namespace
}  // namespace test
}  // namespace tonlira
