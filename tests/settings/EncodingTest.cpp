// The two encodings of the preferences file: 8-bit Windows-1252 and UTF-8
// with a byte order mark.

#include "settings/PreferencesFile.h"
#include "settings/Windows1252.h"

#include "settings/PrefsTestSupport.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace tonlira::test {
namespace {

const std::string kBom = "\xEF\xBB\xBF";

TEST(Windows1252Test, EveryByteSurvivesTheWayThroughUtf8) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte) {
        all.push_back(static_cast<char>(byte));
    }
    EXPECT_EQ(utf8ToWindows1252(windows1252ToUtf8(all)), all);
    EXPECT_EQ(windows1252ToUtf8("\x80\xE4\x9F\x81"), "€ä\xC5\xB8\xC2\x81");
    EXPECT_EQ(utf8ToWindows1252("Größe €"),
              "Gr\xF6\xDF"
              "e \x80");
    EXPECT_EQ(utf8ToWindows1252("日本"), std::nullopt);
    EXPECT_EQ(utf8ToWindows1252("\xC2\x80"), std::nullopt) << "U+0080 has no byte of its own";
    EXPECT_EQ(utf8ToWindows1252("\xC3"), std::nullopt);
}

class PrefsEncodingTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string path = (dir / "Tonlira.prefs").string();
    PreferencesFile file;
};

TEST_F(PrefsEncodingTest, EightBitFilesKeepEveryByte) {
    std::string bytes = "x";
    for (int byte = 0; byte < 256; ++byte) {
        if (byte != '\r' && byte != '\n') {
            bytes.push_back(static_cast<char>(byte));
        }
    }
    const std::string before = crlfLines({"[Allgemein]", "; " + bytes, "k = " + bytes, "std_lautst\xE4rke = 4"});
    writeFile(path, before);
    ASSERT_TRUE(file.open(path));
    EXPECT_EQ(file.encoding(), PrefsEncoding::EightBit);
    file.selectGroup("Allgemein");
    EXPECT_EQ(file.readInteger("STD_LAUTSTärke", 0), 4);
    file.writeString("euro", "€ ä");
    file.close();
    EXPECT_EQ(readFile(path), before + crlfLines({"euro = \x80 \xE4"}));
}

TEST_F(PrefsEncodingTest, Utf8FilesKeepTheirMarkAndGainALineEndAfterIt) {
    writeFile(path, kBom + "[Allgemein]\nstd_lautstärke = 3\nname = 日本\n");
    ASSERT_TRUE(file.open(path));
    EXPECT_EQ(file.encoding(), PrefsEncoding::Utf8);
    file.selectGroup("Allgemein");
    EXPECT_EQ(file.readInteger("std_lautstärke", 0), 3);
    file.writeInteger("std_lautstärke", 5);
    file.close();
    EXPECT_EQ(readFile(path), kBom + crlfLines({"", "[Allgemein]", "std_lautstärke = 5", "name = 日本"}));
}

TEST_F(PrefsEncodingTest, BytesThatAreNotUtf8SurviveARewriteOfAMarkedFile) {
    // A lead byte without its continuation, a stray continuation byte, a
    // three-byte sequence cut short, an overlong form.
    const std::string broken =
        "a\xC3"
        "b\x80"
        "c\xE2\x82"
        "d\xC0\xAF"
        "e";
    writeFile(path, kBom + "\r\n[Allgemein]\r\nplaylist = 0\r\n[G]\r\nk = " + broken + "\r\n; " + broken + "\r\n[" +
                        broken + "]\r\n" + broken + " = 1\r\n");
    ASSERT_TRUE(file.open(path));
    file.selectGroup("G");
    ASSERT_TRUE(file.beginKeys() && file.nextKey());
    EXPECT_EQ(file.keyValue(), broken) << "read as stored";

    file.selectGroup("Allgemein");
    file.writeInteger("playlist", 1);
    file.close();
    EXPECT_EQ(readFile(path), kBom + crlfLines({"", "[Allgemein]", "playlist = 1", "[G]", "k = " + broken,
                                                "; " + broken, "[" + broken + "]", broken + " = 1"}));
}

TEST_F(PrefsEncodingTest, AnEditorsUtf8FileWithoutMarkIsReadAndWrittenAsUtf8) {
    writeFile(path, "[Allgemein]\nstd_lautstärke = 10\n; Größe\n");
    ASSERT_TRUE(file.open(path));
    EXPECT_EQ(file.encoding(), PrefsEncoding::Utf8WithoutMark);
    file.selectGroup("Allgemein");
    EXPECT_EQ(file.readInteger("STD_LAUTSTärke", 0), 10);
    file.writeString("ordner", "Müsik €");
    file.close();
    EXPECT_EQ(readFile(path), crlfLines({"[Allgemein]", "std_lautstärke = 10", "; Größe", "ordner = Müsik €"}));
}

TEST_F(PrefsEncodingTest, FilesWithoutMarkThatAreNotUtf8StayEightBit) {
    struct Sample {
        std::string line;   // as on disk
        std::string value;  // as the program reads it
    };
    const std::vector<Sample> samples{
        {"k = M\xFCller", "Müller"},
        {"k = \xC4rger", "Ärger"},  // a lead byte before an ASCII letter
        {"k = Gr\xF6\xDF"
         "e",
         "Größe"},  // two non-ASCII bytes in a row
        {"k = plain", "plain"},
    };
    for (const Sample& sample : samples) {
        writeFile(path, crlfLines({"[G]", sample.line}));
        ASSERT_TRUE(file.open(path));
        EXPECT_EQ(file.encoding(), PrefsEncoding::EightBit) << sample.value;
        file.selectGroup("G");
        ASSERT_TRUE(file.beginKeys() && file.nextKey());
        EXPECT_EQ(file.keyValue(), sample.value);
        file.writeInteger("n", 1);
        file.close();
        EXPECT_EQ(readFile(path), crlfLines({"[G]", sample.line, "n = 1"})) << sample.value;
    }
}

TEST_F(PrefsEncodingTest, ATextWindows1252LacksTurnsTheFileIntoUtf8) {
    writeFile(path, crlfLines({"[Bibliothek]", "M\xFCsik:0 = /home/anna/M\xFCsik/"}));
    ASSERT_TRUE(file.open(path));
    file.selectGroup("Bibliothek");
    file.writeString("Японія:0", "/home/anna/Японія/");
    file.close();
    EXPECT_EQ(readFile(path),
              kBom + crlfLines({"", "[Bibliothek]", "Müsik:0 = /home/anna/Müsik/", "Японія:0 = /home/anna/Японія/"}));

    ASSERT_TRUE(file.open(path));
    EXPECT_EQ(file.encoding(), PrefsEncoding::Utf8);
    file.selectGroup("bibliothek");
    ASSERT_TRUE(file.beginKeys() && file.nextKey() && file.nextKey());
    EXPECT_EQ(file.keyName(), "Японія:0");
}

}  // namespace
}  // namespace tonlira::test
