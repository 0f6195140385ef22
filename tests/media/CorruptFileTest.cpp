// Damaged files of every format: each is decided as soon as GStreamer has
// read it, and a file that cannot be played gets the render box rather than
// a silent 00:00 row.
//
// The bound on the time to the box is generous on purpose (a loaded machine
// must not fail it); it catches a load that waits out a timeout instead of
// seeing the failure. The real figures are printed.

#include "media/MediaEngine.h"
#include "media/MediaTestSupport.h"
#include "support/TempDir.h"
#include "support/TestMedia.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace tonlira::test {
namespace {

using Clock = std::chrono::steady_clock;

// Far above the few milliseconds a damaged file takes, far below the
// multi-second timeout a missed failure used to wait out.
constexpr auto decisionBound = 1000ms;

constexpr TestFormat formats[] = {TestFormat::Wav, TestFormat::Mp3, TestFormat::Flac, TestFormat::Ogg,
                                  TestFormat::Wma};

// The first bytes hold the container and codec headers of every format.
constexpr std::size_t headerBytes = 256;
constexpr std::size_t headerStep = 5;
constexpr std::size_t bodyFlips = 12;
constexpr std::size_t truncatedBytes = 16;

std::string pngImage() {
    TempDir folder;
    const auto target = folder / "picture.png";
    const std::string description =
        "videotestsrc num-buffers=1 ! video/x-raw,width=32,height=32 ! pngenc ! "
        "filesink location=\"" +
        target.string() + "\"";
    const gst::PipelinePtr pipeline(
        static_cast<GstElement*>(gst_object_ref_sink(gst_parse_launch(description.c_str(), nullptr))));
    const gst::BusPtr bus(gst_element_get_bus(pipeline.get()));
    gst_element_set_state(pipeline.get(), GST_STATE_PLAYING);
    const gst::MessagePtr done(gst_bus_timed_pop_filtered(
        bus.get(), 30 * GST_SECOND, static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR)));
    gst_element_set_state(pipeline.get(), GST_STATE_NULL);
    return readFile(target);
}

std::string flipped(std::string bytes, std::size_t at) {
    bytes[at] = static_cast<char>(~static_cast<unsigned char>(bytes[at]));
    return bytes;
}

struct Outcome {
    MediaPtr media;
    std::chrono::milliseconds took{};
    std::int32_t lengthMs = 0;
    bool boxShown = false;
};

class CorruptFileTest : public MediaTest {
protected:
    // As the program does at start-up: the plugins are loaded before the
    // first file, so their loading is not counted as deciding.
    static void SetUpTestSuite() { ASSERT_TRUE(initialiseMediaEngine()); }

    Outcome probeTimed(const std::filesystem::path& path) {
        const std::size_t before = requester->messageCount();
        const auto start = Clock::now();
        ProbeResult probed = probe(path.string(), 0);
        Outcome outcome;
        outcome.took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
        outcome.media = std::move(probed.media);
        outcome.lengthMs = probed.lengthMs;
        const auto shown = requester->messages();
        if (shown.size() > before) {
            EXPECT_EQ(shown.size(), before + 1) << path;
            EXPECT_EQ(shown.back().request.title, "Error");
            EXPECT_EQ(shown.back().request.text, renderFailedText(path));
            outcome.boxShown = true;
        }
        slowest_ = std::max(slowest_, outcome.took);
        EXPECT_LT(outcome.took, decisionBound) << path;
        return outcome;
    }

    void report(const char* what) const {
        std::printf("[ figures  ] %s: slowest decision %lld ms\n", what, static_cast<long long>(slowest_.count()));
    }

    TempDir folder;
    std::chrono::milliseconds slowest_{};
};

TEST_F(CorruptFileTest, UnplayableSamplesAreRejectedWithTheBox) {
    const std::string image = pngImage();
    ASSERT_FALSE(image.empty());
    for (const TestFormat format : formats) {
        const std::string good = readFile(TestMedia::shared(format));
        ASSERT_GT(good.size(), headerBytes);
        const std::string ext = TestMedia::extension(format);
        const struct {
            const char* kind;
            std::string bytes;
        } samples[] = {
            {"zero-bytes", {}},
            {"truncated", good.substr(0, truncatedBytes)},
            {"text", "Just some words, not a sound.\n"},
            {"image", image},
        };
        for (const auto& sample : samples) {
            const auto path = folder / (TestMedia::name(format) + "-" + sample.kind + ext);
            writeFile(path, sample.bytes);
            SCOPED_TRACE(path.string());
            const Outcome outcome = probeTimed(path);
            EXPECT_TRUE(outcome.boxShown);
            EXPECT_EQ(outcome.lengthMs, 0);
        }
    }
    report("zero bytes, truncated, text, image");
}

TEST_F(CorruptFileTest, FlippedBytesAreDecidedAtOnceAndNeverLeaveASilentRow) {
    // A flipped byte either breaks the file (box, length 0) or leaves it
    // playable (no box); a header damaged badly enough to hide the sound
    // must never pass as a playable 00:00 entry.
    for (const TestFormat format : formats) {
        const std::string good = readFile(TestMedia::shared(format));
        std::vector<std::size_t> positions;
        for (std::size_t at = 0; at < headerBytes; at += headerStep) {
            positions.push_back(at);
        }
        for (std::size_t i = 1; i <= bodyFlips; ++i) {
            positions.push_back(good.size() * i / (bodyFlips + 1));
        }
        int rejected = 0;
        int accepted = 0;     // without a length
        int atFirstPlay = 0;  // passed the header, failed when first started
        for (const std::size_t at : positions) {
            const auto path =
                folder / (TestMedia::name(format) + "-flip-" + std::to_string(at) + TestMedia::extension(format));
            writeFile(path, flipped(good, at));
            SCOPED_TRACE(path.string());
            const Outcome outcome = probeTimed(path);
            if (outcome.boxShown) {
                EXPECT_EQ(outcome.lengthMs, 0);
                ++rejected;
            } else if (outcome.lengthMs == 0) {
                // Accepted without a length (the damage hid it, e.g. a
                // broken ASF header whose sound GStreamer decodes but plays
                // out at once): it plays or ends, it never holds a playlist.
                EXPECT_EQ(runMedia(outcome.media.get()), 0);
                const auto start = Clock::now();
                while (Clock::now() - start < 3s && getMediaPosition(outcome.media.get()) < 100 &&
                       isMediaComplete(outcome.media.get()) == 0) {
                    std::this_thread::sleep_for(5ms);
                }
                EXPECT_LT(Clock::now() - start, 3s);
                ++accepted;
            } else {
                // Judged by its header: the first start decides, and a file
                // broken beyond playing then gets the box and ends at once.
                const std::size_t before = requester->messageCount();
                const bool started = pauseMedia(outcome.media.get()) == 0;
                QCoreApplication::processEvents();
                if (requester->messageCount() > before) {
                    EXPECT_EQ(requester->messages().back().request.text, renderFailedText(path));
                    ++atFirstPlay;
                }
                EXPECT_TRUE(started || isMediaComplete(outcome.media.get()) == 1);
            }
            std::filesystem::remove(path);
        }
        std::printf(
            "[ figures  ] %s: %d of %zu flipped files rejected, %d kept without a length, %d with the box "
            "at their first start\n",
            TestMedia::name(format).c_str(), rejected, positions.size(), accepted, atFirstPlay);
    }
    report("flipped header and body bytes");
}

TEST_F(CorruptFileTest, FileWithoutSoundIsUnplayable) {
    // A video whose sound cannot be decoded: only pictures are left.
    const auto path = TestMedia::shared(TestFormat::OggWithVideo, 2.0);
    const DisabledDecoders off{"vorbisdec", "ivorbisdec"};
    MediaPtr media = createMedia();
    EXPECT_EQ(loadMedia(media.get(), path.string(), 0, videoChoice, audioRendererWaveOut), 0);
    ASSERT_EQ(requester->messageCount(), 1u);
    EXPECT_EQ(requester->messages()[0].request.text, renderFailedText(path));
    EXPECT_EQ(getMediaLength(media.get()), 0);
    // Nothing plays, and a playlist polling it moves on at once.
    EXPECT_LT(runMedia(media.get()), 0);
    EXPECT_EQ(isMediaComplete(media.get()), 1);
}

}  // namespace
}  // namespace tonlira::test
