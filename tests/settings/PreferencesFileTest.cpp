// Parsing, editing in memory and rewriting of the preferences file.

#include "settings/PreferencesFile.h"

#include "settings/PrefsTestSupport.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>

#include <climits>

namespace tonlira::test {
namespace {

class PreferencesFileTest : public ::testing::Test {
protected:
    // Writes `bytes` as the file, then opens it.
    void openWith(const std::string& bytes) {
        writeFile(path, bytes);
        ASSERT_TRUE(file.open(path));
    }
    std::string closeAndRead() {
        EXPECT_TRUE(file.close());
        return readFile(path);
    }

    TempDir dir;
    std::string path = (dir / "Tonlira.prefs").string();
    PreferencesFile file;
};

TEST_F(PreferencesFileTest, FileInTheWrittenFormReadsAndRewritesUnchanged) {
    const std::string example =
        crlfLines({"[Allgemein]", "std_lautst\xE4rke = 0", "playlist = 0", "bibliothek = 1", "mehrere_instanzen = 1",
                   "Scrollspeed = 1.000000", "[Ansicht]", "hintergrundfarbe = 0", "playerfarbe = 5723991",
                   "[Shortcuts]", "0 = 0", "7 = 131152", "[Bibliothek]", "Musik:0 = /home/anna/Musik/"});
    openWith(example);
    EXPECT_TRUE(file.selectGroup("Allgemein"));
    EXPECT_EQ(file.readInteger("std_lautstärke", 9), 0);
    EXPECT_EQ(file.readInteger("bibliothek", 9), 1);
    EXPECT_FLOAT_EQ(file.readFloat("Scrollspeed", 9.0F), 1.0F);
    EXPECT_TRUE(file.selectGroup("Shortcuts"));
    EXPECT_EQ(file.readInteger("7", 0), 131152);
    EXPECT_TRUE(file.selectGroup("Bibliothek"));
    ASSERT_TRUE(file.beginKeys());
    ASSERT_TRUE(file.nextKey());
    EXPECT_EQ(file.keyName(), "Musik:0");
    EXPECT_EQ(file.keyValue(), "/home/anna/Musik/");
    EXPECT_FALSE(file.nextKey());

    file.selectGroup("Allgemein");
    file.writeInteger("playlist", 0);
    EXPECT_EQ(closeAndRead(), example);
}

TEST_F(PreferencesFileTest, LooseLayoutIsReadAndNormalisedOnRewrite) {
    openWith(
        "top=1\n"
        "\r\n\r\n  \t \r\n"
        "  [Allgemein] text after the bracket\r"
        ";no blank\r\n"
        ";  two blanks\n"
        "PLAYLIST=1\r\n"
        "\tflag\n"
        "next = x  \r"
        "[ Spaced ]\r\n"
        "a =   v\r\n"
        "  \t");
    EXPECT_TRUE(file.selectGroup(""));
    EXPECT_EQ(file.readInteger("top", 9), 1);
    EXPECT_TRUE(file.selectGroup("allgemein"));
    EXPECT_EQ(file.readInteger("playlist", 9), 1);
    EXPECT_EQ(file.readInteger("flag", 9), 0) << "present but empty reads 0";
    EXPECT_EQ(file.readInteger("next", 9), 0);
    EXPECT_EQ(file.readInteger("missing", 9), 9);
    EXPECT_FALSE(file.selectGroup("Spaced")) << "no trimming inside the brackets";
    EXPECT_TRUE(file.selectGroup(" spaced "));

    file.selectGroup("Allgemein");
    file.writeInteger("Playlist", 0);
    EXPECT_EQ(closeAndRead(), crlfLines({"top = 1", "[Allgemein]", "; no blank", ";  two blanks", "Playlist = 0",
                                         "flag = ", "next = x  ", "[ Spaced ]", "a = v"}));
}

TEST_F(PreferencesFileTest, WritesReplaceTheFirstMatchOrGoToTheEndOfTheGroup) {
    openWith(crlfLines({"[A]", "k = 1", "k = 2", "; note", "[a]", "z = 4", "[B]", "y = 2"}));
    EXPECT_TRUE(file.selectGroup("a"));
    EXPECT_EQ(file.readInteger("K", 0), 1);
    EXPECT_EQ(file.readInteger("z", -1), -1) << "the second group of that name is never seen";
    file.writeInteger("K", 5);
    file.writeString("new", "v");
    file.writeString("NEW", "w");

    EXPECT_TRUE(file.selectGroup(""));
    file.writeString("top", "t");

    EXPECT_FALSE(file.selectGroup("C"));
    EXPECT_EQ(file.readInteger("c", 7), 7);
    EXPECT_FALSE(file.beginKeys());
    file.writeInteger("c", 3);
    file.writeInteger("d", 4);
    EXPECT_TRUE(file.selectGroup("c"));
    EXPECT_EQ(closeAndRead(), crlfLines({"top = t", "[A]", "K = 5", "k = 2", "; note", "NEW = w", "[a]", "z = 4",
                                         "[B]", "y = 2", "[C]", "c = 3", "d = 4"}));
}

TEST_F(PreferencesFileTest, SelectingAndReadingLeaveTheFileUntouched) {
    const std::string before = crlfLines({"[Allgemein]", "playlist = 1"}) + "\n\n; odd  layout";
    writeFile(path, before);
    const timespec old{1000000000, 0};
    const timespec times[2] = {old, old};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);

    ASSERT_TRUE(file.open(path));
    EXPECT_FALSE(file.selectGroup("Ansicht"));
    EXPECT_EQ(file.readInteger("playerfarbe", 5723991), 5723991);
    file.selectGroup("Allgemein");
    EXPECT_EQ(file.readInteger("playlist", 0), 1);
    EXPECT_EQ(closeAndRead(), before);
    EXPECT_TRUE(sameTime(modificationTime(path), old));
}

TEST_F(PreferencesFileTest, NumbersAreReadFromTheLeadingDigitsAndWrittenPlainly) {
    openWith(
        crlfLines({"[N]", "empty =", "int = 42abc", "neg = -7", "plus = +3", "spaced =   12", "garbage = abc",
                   "signonly = - 5", "huge = 99999999999", "tiny = -99999999999", "half = 2.25x", "frac = -.5"}));
    file.selectGroup("N");
    EXPECT_EQ(file.readInteger("empty", 9), 0);
    EXPECT_EQ(file.readInteger("missing", 9), 9);
    EXPECT_EQ(file.readInteger("int", 0), 42);
    EXPECT_EQ(file.readInteger("neg", 0), -7);
    EXPECT_EQ(file.readInteger("plus", 0), 3);
    EXPECT_EQ(file.readInteger("spaced", 0), 12);
    EXPECT_EQ(file.readInteger("garbage", 9), 0);
    EXPECT_EQ(file.readInteger("signonly", 9), 0);
    EXPECT_EQ(file.readInteger("huge", 0), INT_MAX);
    EXPECT_EQ(file.readInteger("tiny", 0), INT_MIN);
    EXPECT_FLOAT_EQ(file.readFloat("half", 0.0F), 2.25F);
    EXPECT_FLOAT_EQ(file.readFloat("frac", 0.0F), -0.5F);
    EXPECT_FLOAT_EQ(file.readFloat("int", 0.0F), 42.0F);
    EXPECT_FLOAT_EQ(file.readFloat("garbage", 9.0F), 0.0F);
    EXPECT_FLOAT_EQ(file.readFloat("missing", 1.5F), 1.5F);

    file.selectGroup("W");
    file.writeFloat("speed", 1.5F);
    file.writeFloat("one", 1.0F);
    file.writeFloat("step", 0.1F);
    file.writeInteger("colour", -12);
    EXPECT_FLOAT_EQ(file.readFloat("step", 0.0F), 0.1F);
    EXPECT_TRUE(closeAndRead().ends_with(
        crlfLines({"[W]", "speed = 1.500000", "one = 1.000000", "step = 0.100000", "colour = -12"})));
}

TEST_F(PreferencesFileTest, RemovingAGroupTakesItsEntriesAndKeepsTheSelectionSound) {
    openWith(crlfLines({"[A]", "a = 1", "[B]", "; c", "b = 2", "[b]", "b = 3", "[C]", "c = 4"}));
    file.selectGroup("C");
    file.removeGroup("b");
    EXPECT_EQ(file.readInteger("c", 0), 4) << "the current group moved up the list";
    file.selectGroup("B");
    file.removeGroup("B");
    EXPECT_EQ(file.readInteger("b", -1), -1) << "no group of that name is left";
    file.writeInteger("b", 5);
    file.removeGroup("missing");
    EXPECT_EQ(closeAndRead(), crlfLines({"[A]", "a = 1", "[C]", "c = 4", "[b]", "b = 5"}));

    openWith(crlfLines({"[B]", "b = 2", "[b]", "b = 3"}));
    file.selectGroup("b");
    file.removeGroup("B");
    EXPECT_EQ(file.readInteger("b", 0), 3) << "the next group of that name takes over";
}

TEST_F(PreferencesFileTest, KeysAreListedInOrderWithoutCommentsOrBlanks) {
    openWith(crlfLines({"lead = 0", "[L]", "; skip", "k1 =  a b \t", "k2=", "[M]", "m = 1"}));
    file.selectGroup("L");
    ASSERT_TRUE(file.beginKeys());
    std::vector<std::pair<std::string, std::string>> listed;
    while (file.nextKey()) {
        listed.emplace_back(file.keyName(), file.keyValue());
    }
    EXPECT_EQ(listed, (decltype(listed){{"k1", "a b"}, {"k2", ""}}));
    EXPECT_EQ(file.keyName(), "");

    file.selectGroup("");
    ASSERT_TRUE(file.beginKeys());
    ASSERT_TRUE(file.nextKey());
    EXPECT_EQ(file.keyName(), "lead");
    EXPECT_FALSE(file.nextKey());

    file.close();
    EXPECT_FALSE(file.beginKeys());
    EXPECT_FALSE(file.selectGroup("L"));
    EXPECT_FALSE(file.writeInteger("x", 1));
}

TEST_F(PreferencesFileTest, NamesAndValuesThatWouldBreakTheLinesAreRefused) {
    const std::string before = crlfLines({"[G]", "k = 1"});
    openWith(before);
    file.selectGroup("G");
    EXPECT_FALSE(file.writeString("k", "1\r\n[Allgemein]"));
    EXPECT_FALSE(file.writeString("a\nb", "v"));
    for (const char* key : {"a=b", "[x", ";x", " x", "x\t"}) {
        EXPECT_FALSE(file.writeString(key, "v")) << key;
    }
    file.selectGroup("x]y");
    EXPECT_FALSE(file.writeInteger("k", 1));
    EXPECT_FALSE(file.isModified());
    EXPECT_EQ(closeAndRead(), before);

    openWith(before);
    file.selectGroup("G");
    EXPECT_TRUE(file.writeString("Musik:0", "/a = b/;[c]"));
    file.close();
    file.open(path);
    file.selectGroup("G");
    file.beginKeys();
    file.nextKey();
    file.nextKey();
    EXPECT_EQ(file.keyValue(), "/a = b/;[c]");
}

}  // namespace
}  // namespace tonlira::test
