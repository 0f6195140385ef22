#pragma once
// Helpers shared by the media engine tests.

#include "media/MediaEngine.h"
#include "support/RecordingRequester.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>

namespace tonlira::test {

// Real time, but no sound device needed.
inline constexpr const char* testAudioOutput = "fakesink sync=true";
inline constexpr int videoChoice = static_cast<int>(VideoRenderer::MixingRenderer9Windowed);
inline constexpr std::int32_t lengthToleranceMs = 1000;

inline std::string renderFailedText(const std::filesystem::path& path) {
    return "Rendering of following file failed: \r\n" + path.string();
}

// Polls isMediaComplete the way the main loop does; the time it took, or
// nothing when the entry did not complete within `limit`.
inline std::optional<std::chrono::milliseconds> waitForCompletion(MediaObject* media,
                                                                  std::chrono::milliseconds limit) {
    const auto start = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - start < limit) {
        if (isMediaComplete(media) == 1) {
            return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return std::nullopt;
}

// Waits until the entry reports at least `ms`; false after `limit`.
inline bool waitForPosition(MediaObject* media, std::int32_t ms, std::chrono::milliseconds limit) {
    const auto start = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - start < limit) {
        if (getMediaPosition(media) >= ms) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

class MediaTest : public ::testing::Test {
protected:
    void SetUp() override { setAudioOutput(testAudioOutput); }
    void TearDown() override { setAudioOutput("autoaudiosink"); }

    MediaPtr load(const std::filesystem::path& path) {
        MediaPtr media = createMedia();
        EXPECT_TRUE(media);
        EXPECT_EQ(loadMedia(media.get(), path.string(), 0, videoChoice, audioRendererWaveOut), 1) << path;
        return media;
    }

    ScopedRequester requester;
};

}  // namespace tonlira::test
