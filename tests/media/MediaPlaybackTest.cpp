// Playing loaded entries: transport, positions, seeks, completion, volume.

#include "media/MediaEngine.h"
#include "media/MediaObject.h"
#include "media/MediaTestSupport.h"
#include "support/TempDir.h"
#include "support/TestMedia.h"
#include "support/Waits.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace std::chrono_literals;

namespace tonlira::test {
namespace {

// Positions read while playing run on; allow for the time between reads.
constexpr std::int32_t positionSlackMs = 150;
// A pause takes effect a moment after the position read at the call.
constexpr std::int32_t pausedDriftMs = 30;
// The volume element keeps its factor as a float.
constexpr double volumeTolerance = 1e-6;

using MediaPlaybackTest = MediaTest;

TEST_F(MediaPlaybackTest, RunPauseStopAndRewind) {
    MediaPtr media = load(TestMedia::shared(TestFormat::Wav));
    MediaObject* m = media.get();
    EXPECT_EQ(isMediaComplete(m), 0);

    EXPECT_EQ(runMedia(m), 0);
    EXPECT_TRUE(waitForPosition(m, 300, 2s));

    EXPECT_EQ(pauseMedia(m), 0);
    const std::int32_t pausedAt = getMediaPosition(m);
    EXPECT_TRUE(staysFor(200ms, [&] { return std::abs(getMediaPosition(m) - pausedAt) <= pausedDriftMs; }))
        << "paused at " << pausedAt << " ms, now at " << getMediaPosition(m) << " ms";

    EXPECT_EQ(runMedia(m), 0);
    EXPECT_TRUE(waitForPosition(m, pausedAt + 200, 2s));

    // A stopped entry keeps its place until it is rewound.
    EXPECT_EQ(stopMedia(m), 0);
    const std::int32_t stoppedAt = getMediaPosition(m);
    EXPECT_GE(stoppedAt, pausedAt + 200);
    EXPECT_TRUE(staysFor(100ms, [&] { return getMediaPosition(m) == stoppedAt; }))
        << "stopped at " << stoppedAt << " ms, now at " << getMediaPosition(m) << " ms";
    EXPECT_EQ(seekMedia(m, 0), 0);
    EXPECT_EQ(getMediaPosition(m), 0);
    EXPECT_EQ(isMediaComplete(m), 0);

    // Freeing stops a playing entry first.
    runMedia(m);
    EXPECT_EQ(freeMedia(media), 1);
    EXPECT_FALSE(media);
}

TEST_F(MediaPlaybackTest, EveryFormatPlaysToItsEndAndAgain) {
    for (const TestFormat format : playableFormats) {
        SCOPED_TRACE(TestMedia::name(format));
        MediaPtr media = load(TestMedia::shared(format, 0.6));
        for (int round = 0; round < 2; ++round) {
            EXPECT_EQ(runMedia(media.get()), 0);
            const auto took = waitForCompletion(media.get(), 5s);
            ASSERT_TRUE(took);
            // The output runs in real time, so the end comes after the sound.
            EXPECT_GE(*took, 400ms);
            EXPECT_EQ(isMediaComplete(media.get()), 0);
            // How the playlist moves on: stop and rewind.
            stopMedia(media.get());
            seekMedia(media.get(), 0);
        }
    }
}

TEST_F(MediaPlaybackTest, CompletionPollNeverWaits) {
    MediaPtr media = load(TestMedia::shared(TestFormat::Ogg));
    runMedia(media.get());
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(isMediaComplete(media.get()), 0);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, 100ms);
}

TEST_F(MediaPlaybackTest, SeeksWhilePlayingAndPausedLandWhereAsked) {
    for (const TestFormat format : playableFormats) {
        SCOPED_TRACE(TestMedia::name(format));
        MediaPtr media = load(TestMedia::shared(format, 12.0));
        MediaObject* m = media.get();
        // Right after the start, before the pipeline has settled.
        runMedia(m);
        EXPECT_EQ(seekMedia(m, 6000), 0);
        EXPECT_NEAR(getMediaPosition(m), 6000, positionSlackMs);
        pauseMedia(m);
        EXPECT_EQ(seekMedia(m, 2500), 0);
        EXPECT_NEAR(getMediaPosition(m), 2500, positionSlackMs);
        runMedia(m);
        EXPECT_TRUE(waitForPosition(m, 2700, 2s));
        EXPECT_LT(getMediaPosition(m), 5000);
    }
}

TEST_F(MediaPlaybackTest, SeekOnStoppedEntryAppliesAtNextPlay) {
    for (const TestFormat format : {TestFormat::Wav, TestFormat::Mp3, TestFormat::Flac}) {
        SCOPED_TRACE(TestMedia::name(format));
        MediaPtr media = load(TestMedia::shared(format, 3.0));
        MediaObject* m = media.get();
        EXPECT_EQ(seekMedia(m, 2000), 0);
        EXPECT_EQ(getMediaPosition(m), 2000);
        runMedia(m);
        EXPECT_GE(getMediaPosition(m), 2000 - positionSlackMs);
        const auto took = waitForCompletion(m, 5s);
        ASSERT_TRUE(took);
        EXPECT_LT(*took, 2000ms);  // only the last second was played

        // Kept across a stop as well; a paused start lands there too.
        stopMedia(m);
        seekMedia(m, 1500);
        pauseMedia(m);
        EXPECT_NEAR(getMediaPosition(m), 1500, positionSlackMs);
    }
}

TEST_F(MediaPlaybackTest, SeekBelowZeroStartsOver) {
    MediaPtr media = load(TestMedia::shared(TestFormat::Ogg, 3.0));
    MediaObject* m = media.get();
    seekMedia(m, -3000);
    EXPECT_EQ(getMediaPosition(m), 0);
    runMedia(m);
    EXPECT_TRUE(waitForPosition(m, 1000, 2s));
    seekMedia(m, -3000);
    EXPECT_LT(getMediaPosition(m), positionSlackMs);
    EXPECT_TRUE(waitForPosition(m, 500, 2s));
    seekMedia(m, std::numeric_limits<std::int64_t>::min());
    EXPECT_LT(getMediaPosition(m), positionSlackMs);
    EXPECT_EQ(isMediaComplete(m), 0);
}

TEST_F(MediaPlaybackTest, SeekPastTheEndEndsTheTrack) {
    for (const TestFormat format : playableFormats) {
        SCOPED_TRACE(TestMedia::name(format));
        MediaPtr playing = load(TestMedia::shared(format, 3.0));
        runMedia(playing.get());
        seekMedia(playing.get(), getMediaLength(playing.get()) + 60'000);
        const auto ended = waitForCompletion(playing.get(), 2s);
        ASSERT_TRUE(ended);
        EXPECT_LT(*ended, 500ms);

        MediaPtr idle = load(TestMedia::shared(format, 3.0));
        seekMedia(idle.get(), std::numeric_limits<std::int64_t>::max());
        EXPECT_EQ(getMediaPosition(idle.get()), getMediaLength(idle.get()));
        runMedia(idle.get());
        const auto idleEnded = waitForCompletion(idle.get(), 2s);
        ASSERT_TRUE(idleEnded);
        EXPECT_LT(*idleEnded, 500ms);
    }
}

TEST_F(MediaPlaybackTest, FailureWhilePlayingCountsAsTheEnd) {
    // A stream that breaks after half a second.
    MediaPtr broken = load(TestMedia::shared(TestFormat::ErrorMidway, 0.5));
    runMedia(broken.get());
    const auto brokeAfter = waitForCompletion(broken.get(), 5s);
    ASSERT_TRUE(brokeAfter);
    EXPECT_GE(*brokeAfter, 200ms);  // it did play first

    // A file that was replaced by something unplayable after it was added.
    TempDir folder;
    const auto path = folder / "gone.ogg";
    std::filesystem::copy_file(TestMedia::shared(TestFormat::Ogg), path);
    MediaPtr replaced = load(path);
    writeFile(path, "no longer audio");
    runMedia(replaced.get());
    EXPECT_TRUE(waitForCompletion(replaced.get(), 2s));

    // A file removed after it was added.
    std::filesystem::copy_file(TestMedia::shared(TestFormat::Ogg), folder / "removed.ogg");
    MediaPtr removed = load(folder / "removed.ogg");
    std::filesystem::remove(folder / "removed.ogg");
    runMedia(removed.get());
    EXPECT_TRUE(waitForCompletion(removed.get(), 2s));
    // Both were judged by their headers when added; their first start finds
    // them broken and shows the render box, once the caller is done.
    EXPECT_EQ(requester->messageCount(), 0u);
    QCoreApplication::processEvents();
    ASSERT_EQ(requester->messageCount(), 2u);
    EXPECT_EQ(requester->messages()[0].request.text, renderFailedText(path));
    EXPECT_EQ(requester->messages()[1].request.text, renderFailedText(folder / "removed.ogg"));
}

TEST_F(MediaPlaybackTest, TruncatedFileEndsEarly) {
    MediaPtr media = load(TestMedia::shared(TestFormat::Truncated, 4.0));
    // The header still tells the full length.
    EXPECT_NEAR(getMediaLength(media.get()), 4000, lengthToleranceMs);
    runMedia(media.get());
    const auto took = waitForCompletion(media.get(), 6s);
    ASSERT_TRUE(took);
    EXPECT_LT(*took, 3500ms);
}

TEST_F(MediaPlaybackTest, VolumeRangeAndPause) {
    MediaPtr media = load(TestMedia::shared(TestFormat::Wav));
    MediaObject* m = media.get();
    const auto timed = [m](std::int32_t db) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(setMediaVolume(m, db), 0);
        return std::chrono::steady_clock::now() - start;
    };
    EXPECT_GE(timed(-84), 10ms);
    EXPECT_NEAR(m->volume(), std::pow(10.0, -8400 / 2000.0), volumeTolerance);
    EXPECT_GE(timed(-6), 10ms);
    EXPECT_NEAR(m->volume(), std::pow(10.0, -600 / 2000.0), volumeTolerance);
    EXPECT_GE(timed(-6), 10ms);  // also when nothing changes

    // Out of range: ignored at once.
    EXPECT_LT(timed(-85), 5ms);
    EXPECT_LT(timed(1), 5ms);
    EXPECT_NEAR(m->volume(), std::pow(10.0, -600 / 2000.0), volumeTolerance);

    EXPECT_GE(timed(0), 10ms);
    EXPECT_DOUBLE_EQ(m->volume(), 1.0);

    // The volume belongs to the entry and outlives stops and plays.
    setMediaVolume(m, -20);
    runMedia(m);
    stopMedia(m);
    runMedia(m);
    EXPECT_NEAR(m->volume(), 0.1, volumeTolerance);
}

}  // namespace
}  // namespace tonlira::test
