// Lengths read from container headers: the same as GStreamer finds by
// prerolling each file (the rows must not change), and nothing for files
// whose header does not add up, so the engine asks GStreamer instead.

#include "media/AudioHeader.h"
#include "media/MediaEngine.h"
#include "media/MpegAudioLength.h"
#include "support/TempDir.h"
#include "support/TestMedia.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace tonlira::test {
namespace {

constexpr std::int64_t nsPerMs = 1'000'000;
// Rounding of the last block or frame; far below the second a row shows.
constexpr std::int64_t agreementMs = 60;

// What a preroll of the file reports, as the engine used to ask for every
// file (with its frame walk for mp3 without a VBR header).
std::int64_t prerolledMs(const std::filesystem::path& path) {
    const std::string description = "filesrc location=\"" + path.string() + "\" ! decodebin ! fakesink";
    const gst::PipelinePtr pipeline(
        static_cast<GstElement*>(gst_object_ref_sink(gst_parse_launch(description.c_str(), nullptr))));
    gst_element_set_state(pipeline.get(), GST_STATE_PAUSED);
    gst_element_get_state(pipeline.get(), nullptr, nullptr, 5 * GST_SECOND);
    gint64 ns = 0;
    if (!gst_element_query_duration(pipeline.get(), GST_FORMAT_TIME, &ns) || ns <= 0) {
        ns = mpegAudioDurationNs(path).value_or(0);
    }
    return ns / nsPerMs;
}

TEST(AudioHeader, EveryFormatGivesThePrerolledLength) {
    for (const double seconds : {3.0, 12.0, 61.7}) {
        for (const TestFormat format : playableFormats) {
            const auto path = TestMedia::shared(format, seconds);
            SCOPED_TRACE(path.string());
            const auto header = readAudioHeader(path);
            ASSERT_TRUE(header);
            EXPECT_TRUE(decodersAvailable(*header));
            const std::int64_t headerMs = header->lengthNs / nsPerMs;
            const std::int64_t prerolled = prerolledMs(path);
            std::printf("[ figures  ] %s: header %lld ms, preroll %lld ms\n", path.filename().c_str(),
                        static_cast<long long>(headerMs), static_cast<long long>(prerolled));
            EXPECT_NEAR(static_cast<double>(headerMs), static_cast<double>(prerolled), agreementMs);
            EXPECT_EQ(formatTime(static_cast<std::int32_t>(headerMs)),
                      formatTime(static_cast<std::int32_t>(prerolled)));
        }
    }
    // A flac cut in half still tells its full length, as its decoder does.
    const auto truncated = TestMedia::shared(TestFormat::Truncated, 4.0);
    ASSERT_TRUE(readAudioHeader(truncated));
    EXPECT_NEAR(static_cast<double>(readAudioHeader(truncated)->lengthNs / nsPerMs),
                static_cast<double>(prerolledMs(truncated)), agreementMs);
}

TEST(AudioHeader, FilesTheHeaderCannotVouchForGiveNothing) {
    TempDir folder;
    // Not audio, or more than one stream, or a chain: the pipeline decides.
    for (const TestFormat format : {TestFormat::Corrupt, TestFormat::TextOgg, TestFormat::Empty,
                                    TestFormat::OggWithVideo, TestFormat::ErrorMidway}) {
        EXPECT_FALSE(readAudioHeader(TestMedia::shared(format, 2.0))) << TestMedia::name(format);
    }
    EXPECT_FALSE(readAudioHeader(folder / "missing.wav"));
    EXPECT_FALSE(readAudioHeader(folder.path()));
    // Cut inside the header of every format.
    for (const TestFormat format : playableFormats) {
        const auto cut = folder / ("cut" + TestMedia::extension(format));
        writeFile(cut, readFile(TestMedia::shared(format)).substr(0, 16));
        EXPECT_FALSE(readAudioHeader(cut)) << TestMedia::name(format);
    }
    // An mp3 whose first bytes after its tag are not a frame.
    writeFile(folder / "junk.mp3", "junk" + readFile(TestMedia::shared(TestFormat::Mp3)));
    EXPECT_FALSE(readAudioHeader(folder / "junk.mp3"));
}

TEST(AudioHeader, AMissingDecoderIsSeenInTheRegistry) {
    const auto header = readAudioHeader(TestMedia::shared(TestFormat::Wma));
    ASSERT_TRUE(header);
    {
        const DisabledDecoders off{"avdec_wmav2"};
        EXPECT_FALSE(decodersAvailable(*header));
    }
    EXPECT_TRUE(decodersAvailable(*header));
}

}  // namespace
}  // namespace tonlira::test
