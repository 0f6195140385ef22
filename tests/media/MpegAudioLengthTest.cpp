// Length of MPEG audio files found by walking their frames.

#include "media/MpegAudioLength.h"
#include "support/TempDir.h"
#include "support/TestMedia.h"

#include <gtest/gtest.h>

namespace tonlira::test {
namespace {

constexpr double toleranceSeconds = 0.1;

double seconds(const std::optional<std::int64_t>& ns) { return ns ? static_cast<double>(*ns) / 1e9 : -1.0; }

TEST(MpegAudioLength, WalksPlainAndTaggedFiles) {
    for (const double length : {3.0, 12.0}) {
        EXPECT_NEAR(seconds(mpegAudioDurationNs(TestMedia::shared(TestFormat::Mp3, length))), length,
                    toleranceSeconds);
    }

    // An ID3v2 tag in front, an ID3v1 tag behind, and junk between frames.
    TempDir folder;
    const std::string audio = readFile(TestMedia::shared(TestFormat::Mp3, 3.0));
    std::string id3v2("ID3\x04\x00\x00\x00\x00\x02\x00", 10);  // 256 bytes of tag body
    id3v2 += std::string(256, '\0');
    const std::string id3v1 = "TAG" + std::string(125, ' ');
    const std::size_t middle = audio.size() / 2;
    writeFile(folder / "tagged.mp3", id3v2 + audio.substr(0, middle) + "garbage!" + audio.substr(middle) + id3v1);
    EXPECT_NEAR(seconds(mpegAudioDurationNs(folder / "tagged.mp3")), 3.0, toleranceSeconds);
}

TEST(MpegAudioLength, OtherFilesAreNotMpegAudio) {
    TempDir folder;
    for (const TestFormat format : {TestFormat::Wav, TestFormat::Ogg, TestFormat::TextOgg, TestFormat::Empty}) {
        EXPECT_FALSE(mpegAudioDurationNs(TestMedia::shared(format))) << TestMedia::name(format);
    }
    EXPECT_FALSE(mpegAudioDurationNs(folder / "missing.mp3"));
}

}  // namespace
}  // namespace tonlira::test
