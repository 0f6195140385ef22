// Loading files into media objects: lengths, the render-failure box and what
// a failed entry still does.

#include "media/MediaEngine.h"
#include "media/MediaTestSupport.h"
#include "support/TempDir.h"
#include "support/TestMedia.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace tonlira::test {
namespace {

using MediaLoadTest = MediaTest;

TEST_F(MediaLoadTest, EveryFormatLoadsWithItsLength) {
    for (const double seconds : {3.0, 12.0}) {
        for (const TestFormat format : playableFormats) {
            SCOPED_TRACE(TestMedia::name(format) + " " + std::to_string(seconds) + " s");
            const auto path = TestMedia::shared(format, seconds);
            ASSERT_FALSE(path.empty());
            const ProbeResult probed = probe(path.string(), 0);
            ASSERT_TRUE(probed.media);
            EXPECT_NEAR(probed.lengthMs, seconds * 1000, lengthToleranceMs);
            EXPECT_EQ(getMediaPosition(probed.media.get()), 0);
        }
    }
    EXPECT_EQ(requester->messageCount(), 0u);
}

TEST_F(MediaLoadTest, TheFilesTagsAreKnownOnceItIsFirstUsed) {
    TempDir folder;
    const auto tagged = TestMedia::makeTagged(folder.path(), "Ein Lied", "Künstlerin", "Die Platte");
    ASSERT_FALSE(tagged.empty());
    const ProbeResult probed = probe(tagged.string(), 0);
    ASSERT_EQ(pauseMedia(probed.media.get()), mediaOk);
    const MediaTags tags = getMediaTags(probed.media.get());
    EXPECT_EQ(tags.title, "Ein Lied");
    EXPECT_EQ(tags.artist, "Künstlerin");
    EXPECT_EQ(tags.album, "Die Platte");
    EXPECT_TRUE(getMediaTags(probe(TestMedia::shared(TestFormat::Wav).string(), 0).media.get()).title.empty());
}

TEST_F(MediaLoadTest, UnreadableFilesShowTheRenderBoxAndStayHarmless) {
    TempDir folder;
    const std::vector<std::filesystem::path> paths{TestMedia::shared(TestFormat::Corrupt),
                                                   TestMedia::shared(TestFormat::TextOgg),
                                                   TestMedia::shared(TestFormat::Empty), folder / "no such file.mp3"};
    for (const auto& path : paths) {
        SCOPED_TRACE(path.string());
        MediaPtr media = createMedia();
        ASSERT_TRUE(media);
        EXPECT_EQ(loadMedia(media.get(), path.string(), 0, videoChoice, audioRendererWaveOut), 0);
        EXPECT_EQ(getMediaLength(media.get()), 0);
        // Nothing plays, and a playlist polling it moves on at once.
        EXPECT_LT(runMedia(media.get()), 0);
        EXPECT_EQ(isMediaComplete(media.get()), 1);
        EXPECT_EQ(isMediaComplete(media.get()), 0);
        EXPECT_EQ(stopMedia(media.get()), 0);
        seekMedia(media.get(), 0);
        pauseMedia(media.get());
        EXPECT_EQ(getMediaPosition(media.get()), 0);
        EXPECT_EQ(freeMedia(media), 1);
        EXPECT_FALSE(media);
    }
    const auto shown = requester->messages();
    ASSERT_EQ(shown.size(), paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        EXPECT_EQ(shown[i].request.title, "Error");
        EXPECT_EQ(shown[i].request.text, renderFailedText(paths[i]));
    }
}

TEST_F(MediaLoadTest, FileWithoutDecoderIsARenderFailure) {
    const struct {
        TestFormat format;
        std::initializer_list<const char*> decoders;
    } cases[] = {{TestFormat::Wma, {"avdec_wmav2"}}, {TestFormat::Flac, {"flacdec", "avdec_flac"}}};
    for (const auto& c : cases) {
        const auto path = TestMedia::shared(c.format);
        const DisabledDecoders off(c.decoders);
        const ProbeResult probed = probe(path.string(), 0);
        ASSERT_TRUE(probed.media);
        EXPECT_EQ(probed.lengthMs, 0);
        ASSERT_GE(requester->messageCount(), 1u);
        EXPECT_EQ(requester->messages().back().request.text, renderFailedText(path));
    }
    EXPECT_EQ(requester->messageCount(), 2u);
    // With the decoders back, the same file loads.
    const ProbeResult again = probe(TestMedia::shared(TestFormat::Wma).string(), 0);
    EXPECT_NEAR(again.lengthMs, 3000, lengthToleranceMs);
    EXPECT_EQ(requester->messageCount(), 2u);
}

TEST_F(MediaLoadTest, VideoStreamIsRenderedIntoNothing) {
    const ProbeResult probed = probe(TestMedia::shared(TestFormat::OggWithVideo, 2.0).string(), 0);
    EXPECT_NEAR(probed.lengthMs, 2000, lengthToleranceMs);
    EXPECT_EQ(requester->messageCount(), 0u);
}

TEST_F(MediaLoadTest, PartialRenderWarnsButPlaysWhatItCan) {
    const auto path = TestMedia::shared(TestFormat::OggWithVideo, 2.0);
    const DisabledDecoders off{"theoradec"};
    const ProbeResult probed = probe(path.string(), 0);
    ASSERT_EQ(requester->messageCount(), 1u);
    EXPECT_EQ(requester->messages()[0].request.title, "Error");
    EXPECT_EQ(requester->messages()[0].request.text, renderFailedText(path));
    EXPECT_NEAR(probed.lengthMs, 2000, lengthToleranceMs);

    EXPECT_EQ(runMedia(probed.media.get()), 0);
    EXPECT_TRUE(waitForPosition(probed.media.get(), 500, 3s));
    EXPECT_TRUE(waitForCompletion(probed.media.get(), 5s));
}

TEST_F(MediaLoadTest, NullHandleIsAcceptedEverywhere) {
    EXPECT_EQ(loadMedia(nullptr, "song.mp3", 0, videoChoice, audioRendererWaveOut), 0);
    ASSERT_EQ(requester->messageCount(), 1u);
    EXPECT_EQ(requester->messages()[0].request.title, "Fatal Error");
    EXPECT_EQ(requester->messages()[0].request.text, "The given handle of the media object hasn't been initialized!");

    MediaPtr none;
    EXPECT_EQ(freeMedia(none), 0);
    EXPECT_EQ(runMedia(nullptr), 0);
    EXPECT_EQ(pauseMedia(nullptr), 0);
    EXPECT_EQ(stopMedia(nullptr), 0);
    EXPECT_EQ(seekMedia(nullptr, 1000), 0);
    EXPECT_EQ(getMediaLength(nullptr), 0);
    EXPECT_EQ(getMediaPosition(nullptr), 0);
    EXPECT_EQ(setMediaVolume(nullptr, -10), 0);
    EXPECT_EQ(isMediaComplete(nullptr), 0);
    EXPECT_EQ(requester->messageCount(), 1u);
}

TEST_F(MediaLoadTest, UnusableAudioOutputIsReportedAndLoadingGoesOn) {
    setAudioOutput("no-such-audio-sink");
    const auto path = TestMedia::shared(TestFormat::Wav).string();
    MediaPtr media = createMedia();
    EXPECT_EQ(loadMedia(media.get(), path, 0, videoChoice, audioRendererWaveOut), 1);
    ASSERT_EQ(requester->messageCount(), 1u);
    EXPECT_EQ(requester->messages()[0].request.title, "Error");
    EXPECT_EQ(requester->messages()[0].request.text, "Couldn't Create Instance of individual audio renderer");
    EXPECT_NEAR(getMediaLength(media.get()), 3000, lengthToleranceMs);
    // Another renderer choice does not ask for that output.
    MediaPtr other = createMedia();
    EXPECT_EQ(loadMedia(other.get(), path, 0, 0, 0), 1);
    EXPECT_EQ(requester->messageCount(), 1u);
}

TEST_F(MediaLoadTest, PathLengthHasNoLimit) {
    TempDir folder;
    std::filesystem::path deep = folder.path();
    while (deep.string().size() < 1500) {
        deep /= std::string(200, 'x') + " Ä";
    }
    std::filesystem::create_directories(deep);
    const auto copy = deep / "Überlänge.wav";
    std::filesystem::copy_file(TestMedia::shared(TestFormat::Wav), copy);
    const ProbeResult probed = probe(copy.string(), 0);
    EXPECT_NEAR(probed.lengthMs, 3000, lengthToleranceMs);
    EXPECT_EQ(requester->messageCount(), 0u);
}

}  // namespace
}  // namespace tonlira::test
