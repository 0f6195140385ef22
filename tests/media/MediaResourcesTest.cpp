// What entries cost while idle, start-up preparation, and use from the
// folder loader's worker thread.

#include "media/MediaEngine.h"
#include "media/MediaTestSupport.h"
#include "media/WarmUpWorker.h"
#include "support/TestMedia.h"

#include <gtest/gtest.h>

#include <malloc.h>
#include <sys/resource.h>

#include <atomic>
#include <fstream>
#include <string_view>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace tonlira::test {
namespace {

std::size_t entriesIn(const char* folder) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
        ++count;
    }
    return count;
}

std::size_t threadCount() { return entriesIn("/proc/self/task"); }

bool threadsDropTo(std::size_t count, std::chrono::milliseconds limit) {
    const auto start = std::chrono::steady_clock::now();
    while (threadCount() > count) {
        if (std::chrono::steady_clock::now() - start > limit) {
            return false;
        }
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

using MediaResourcesTest = MediaTest;

TEST_F(MediaResourcesTest, IdleEntriesHoldNoThreads) {
    constexpr std::size_t entries = 50;
    // GStreamer's shared thread pool may keep a few threads for reuse.
    constexpr std::size_t sharedPoolThreads = 4;
    std::vector<MediaPtr> playlist;
    for (const TestFormat format : playableFormats) {
        playlist.push_back(probe(TestMedia::shared(format).string(), 0).media);  // warm the pool
    }
    const std::size_t before = threadCount();
    for (std::size_t i = 0; i < entries; ++i) {
        const TestFormat format = playableFormats[i % std::size(playableFormats)];
        playlist.push_back(probe(TestMedia::shared(format).string(), 0).media);
    }
    // The last entries may still be coming to rest on the settler's thread.
    EXPECT_TRUE(threadsDropTo(before + sharedPoolThreads, 3s));

    // Playing entries take streaming threads; stopped, they give them back
    // (the shared pool lets its idle threads go after a moment).
    for (std::size_t i = 0; i < 10; ++i) {
        runMedia(playlist[i].get());
    }
    EXPECT_TRUE(waitForPosition(playlist[9].get(), 100, 2s));
    EXPECT_GE(threadCount(), before + 10);
    for (std::size_t i = 0; i < 10; ++i) {
        stopMedia(playlist[i].get());
    }
    EXPECT_TRUE(threadsDropTo(before + sharedPoolThreads, 3s));
}

TEST_F(MediaResourcesTest, IdleEntriesHoldNoDescriptors) {
    // Far more entries than descriptors allowed: every one must still load.
    constexpr rlim_t lowLimit = 256;
    constexpr int entries = 600;
    const auto file = TestMedia::shared(TestFormat::Ogg).string();
    std::vector<MediaPtr> playlist;
    playlist.push_back(probe(file, 0).media);
    WarmUpWorker::instance().drain();  // plugins loaded before counting
    rlimit original{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &original), 0);
    const std::size_t before = entriesIn("/proc/self/fd");
    ASSERT_LT(before + 32, lowLimit);
    rlimit lowered = original;
    lowered.rlim_cur = lowLimit;
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &lowered), 0);
    int loaded = 0;
    for (int i = 0; i < entries; ++i) {
        ProbeResult probed = probe(file, 0);
        loaded += probed.lengthMs > 0 ? 1 : 0;
        playlist.push_back(std::move(probed.media));
    }
    const std::size_t after = entriesIn("/proc/self/fd");
    setrlimit(RLIMIT_NOFILE, &original);
    EXPECT_EQ(loaded, entries);
    EXPECT_LE(after, before + 2);
    EXPECT_EQ(requester->messageCount(), 0u);
    // And the last of them plays.
    runMedia(playlist.back().get());
    EXPECT_TRUE(waitForPosition(playlist.back().get(), 100, 2s));
}

TEST_F(MediaResourcesTest, FreedEntriesLeaveNothingBehind) {
    // Loading, playing and freeing over and over must not grow the heap:
    // every element, message and pad reference is given back.
    const auto file = TestMedia::shared(TestFormat::Ogg, 0.3).string();
    const auto cycle = [&file] {
        ProbeResult probed = probe(file, 0);
        freeMedia(probed.media);
    };
    for (int i = 0; i < 100; ++i) {
        cycle();
    }
    const std::size_t before = mallinfo2().uordblks;
    constexpr int cycles = 300;
    for (int i = 0; i < cycles; ++i) {
        cycle();
    }
    const auto grownPerCycle = (static_cast<double>(mallinfo2().uordblks) - static_cast<double>(before)) / cycles;
    EXPECT_LT(grownPerCycle, 1024.0);

    MediaPtr played = load(file);
    runMedia(played.get());
    EXPECT_TRUE(waitForCompletion(played.get(), 3s));
    const std::size_t beforePlays = mallinfo2().uordblks;
    for (int i = 0; i < 5; ++i) {
        stopMedia(played.get());
        seekMedia(played.get(), 0);
        runMedia(played.get());
        EXPECT_TRUE(waitForCompletion(played.get(), 3s));
    }
    EXPECT_LT(static_cast<double>(mallinfo2().uordblks) - static_cast<double>(beforePlays), 64.0 * 1024);
}

bool mapped(std::string_view library) {
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line)) {
        if (line.find(library) != std::string::npos) {
            return true;
        }
    }
    return false;
}

TEST_F(MediaResourcesTest, AFormatsPluginsAreLoadedWithItsFirstFileNotAtStartUp) {
    // So an empty player holds none of them (the wma and mp3 decoder alone
    // brings some 30 MB of libraries), yet the first play finds them loaded.
    const auto file = TestMedia::shared(TestFormat::Wav);  // made with another plugin
    constexpr std::string_view reader = "libgstwavparse.so";
    if (mapped(reader)) {
        GTEST_SKIP() << "loaded by an earlier test in this process";
    }
    ASSERT_TRUE(initialiseMediaEngine());
    EXPECT_FALSE(mapped(reader));
    MediaPtr entry = load(file);
    WarmUpWorker::instance().drain();
    EXPECT_TRUE(mapped(reader));
}

TEST_F(MediaResourcesTest, StartUpRaisesTheOpenFileLimit) {
    rlimit original{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &original), 0);
    if (original.rlim_max <= 1024) {
        GTEST_SKIP() << "hard limit too low to tell";
    }
    rlimit lowered = original;
    lowered.rlim_cur = 1024;
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &lowered), 0);
    EXPECT_TRUE(initialiseMediaEngine());
    rlimit raised{};
    getrlimit(RLIMIT_NOFILE, &raised);
    EXPECT_EQ(raised.rlim_cur, original.rlim_max);
    setrlimit(RLIMIT_NOFILE, &original);
}

TEST_F(MediaResourcesTest, WorkerLoadsAndFreesWhileTheMainThreadPlays) {
    MediaPtr playing = load(TestMedia::shared(TestFormat::Ogg, 2.0));
    const auto corrupt = TestMedia::shared(TestFormat::Corrupt);
    std::vector<std::filesystem::path> files;
    for (const TestFormat format : playableFormats) {
        files.push_back(TestMedia::shared(format));
    }

    std::atomic<bool> workerDone = false;
    std::atomic<int> loaded = 0;
    std::thread::id workerId;
    std::thread worker([&] {
        workerId = std::this_thread::get_id();
        std::vector<MediaPtr> entries;
        for (int round = 0; round < 6; ++round) {
            for (const auto& file : files) {
                ProbeResult probed = probe(file.string(), 0);
                loaded += probed.lengthMs > 0 ? 1 : 0;
                entries.push_back(std::move(probed.media));
            }
            entries.push_back(probe(corrupt.string(), 0).media);
            if (round % 2 == 1) {
                for (MediaPtr& entry : entries) {
                    freeMedia(entry);
                }
                entries.clear();
            }
        }
        workerDone = true;
    });

    runMedia(playing.get());
    int polls = 0;
    while (!workerDone || polls < 10) {
        setMediaVolume(playing.get(), -10);
        getMediaPosition(playing.get());
        EXPECT_EQ(isMediaComplete(playing.get()), 0);
        ++polls;
    }
    worker.join();
    EXPECT_TRUE(waitForCompletion(playing.get(), 4s));
    EXPECT_EQ(loaded, 6 * static_cast<int>(files.size()));

    const auto shown = requester->messages();
    ASSERT_EQ(shown.size(), 6u);
    for (const auto& message : shown) {
        EXPECT_EQ(message.request.text, renderFailedText(corrupt));
        EXPECT_EQ(message.thread, workerId);
    }
}

TEST(MediaTimeText, MinutesAndSecondsWithoutHours) {
    EXPECT_EQ(formatTime(0), "00:00");
    EXPECT_EQ(formatTime(999), "00:00");
    EXPECT_EQ(formatTime(59'999), "00:59");
    EXPECT_EQ(formatTime(60'000), "01:00");
    EXPECT_EQ(formatTime(754'000), "12:34");
    EXPECT_EQ(formatTime(3'599'999), "59:59");
    EXPECT_EQ(formatTime(3'600'000), "00:00");
    EXPECT_EQ(formatTime(3'661'000), "01:01");
    EXPECT_EQ(formatTime(-5000), "00:00");
}

}  // namespace
}  // namespace tonlira::test
