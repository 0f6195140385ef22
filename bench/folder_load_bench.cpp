// How fast the folder loader fills the playlist, and what the load costs the
// main loop.
//
// Generates a tree of FILES audio files (all five formats, hard links to a
// few short generated files) in nested folders, with non-audio files and
// upper-case extensions mixed in, then loads it with the real FolderLoader
// into the real Playlist while another thread runs main-loop passes: a wait
// of up to 2 ms, then the transport's per-pass duties (the engine's 10 ms
// volume pause included) and the 100 ms progress refresh. Prints files per
// second, the loop's passes per second during the load against the same
// loop on a quiet playlist, memory per entry, and the time to clear the
// playlist and the memory it keeps afterwards.
//
// Usage: folder_load_bench [FILES]   (default 10000)

#include "BenchSupport.h"
#include "library/FolderLoader.h"
#include "library/Playlist.h"
#include "media/MediaEngine.h"
#include "support/TempDir.h"
#include "support/TestMedia.h"
#include "transport/Transport.h"

#include <gst/gst.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;
using tonlira::test::TestFormat;
using tonlira::test::TestMedia;
using namespace tonlira::bench;
namespace fs = std::filesystem;

namespace {

constexpr int defaultFiles = 10000;
constexpr int filesPerFolder = 50;
constexpr int foldersPerParent = 10;
constexpr double fileSeconds = 1.0;
constexpr auto passWait = 2ms;
constexpr auto refreshInterval = 100ms;
constexpr auto quietMeasure = 5s;
constexpr double targetFilesPerSecond = 500.0;
constexpr double targetPassRatio = 0.90;
constexpr double targetKiBPerEntry = 64.0;
// Clearing the loaded playlist (as a replacement does): how long, and how
// much of what the entries held stays resident afterwards.
constexpr double targetClearSeconds = 1.0;
constexpr double targetKeptShare = 0.25;
constexpr TestFormat formats[] = {TestFormat::Wav, TestFormat::Mp3Xing, TestFormat::Flac, TestFormat::Ogg,
                                  TestFormat::Wma};

// The tree: folders of `filesPerFolder` files, ten to a parent folder; every
// tenth name is a text file or an upper-case extension (not audio).
int makeTree(const fs::path& root, int audioFiles) {
    std::vector<fs::path> originals;
    for (const TestFormat format : formats) {
        originals.push_back(TestMedia::make(format, root, fileSeconds));
        if (originals.back().empty()) {
            std::fprintf(stderr, "could not make %s\n", TestMedia::name(format).c_str());
            std::exit(1);
        }
    }
    const fs::path tree = root / "tree";
    int made = 0;
    for (int i = 0; made < audioFiles; ++i) {
        const int folder = i / filesPerFolder;
        const fs::path dir =
            tree / ("Gruppe " + std::to_string(folder / foldersPerParent)) / ("Ordner " + std::to_string(folder));
        fs::create_directories(dir);
        const fs::path& original = originals[static_cast<std::size_t>(i) % originals.size()];
        std::string name = "Titel " + std::to_string(i);
        if (i % 10 == 3) {
            std::ofstream(dir / (name + ".txt")) << "keine Musik";
            continue;
        }
        if (i % 10 == 7) {
            fs::create_hard_link(original, dir / (name + ".MP3"));
            continue;
        }
        fs::create_hard_link(original, dir / (name + original.extension().string()));
        ++made;
    }
    return made;
}

class NoView final : public tonlira::TransportView {
public:
    void setSliderMaximum(int) override {}
    void setSliderValue(int) override {}
    void setPlayerSliderValue(int) override {}
    void setTitleText(const std::string&) override {}
    void setPlayerTitleText(const std::string&) override {}
    void setStatusTitle(const std::string&) override {}
    void setStatusTime(const std::string&) override {}
    float dialValue() const override { return 100.0F; }
};

// Main-loop passes on their own thread, counted.
class Loop {
public:
    explicit Loop(tonlira::Transport& transport) : transport_(transport), thread_([this] { run(); }) {}
    ~Loop() {
        stop_ = true;
        wake_.notify_all();
        thread_.join();
    }
    long passes() const { return passes_.load(); }

private:
    void run() {
        auto nextRefresh = Clock::now() + refreshInterval;
        while (!stop_) {
            {
                std::unique_lock lock(mutex_);
                wake_.wait_for(lock, passWait, [this] { return stop_.load(); });
            }
            if (Clock::now() >= nextRefresh) {
                transport_.refreshProgress();
                nextRefresh += refreshInterval;
            }
            transport_.passDuties();
            ++passes_;
        }
    }

    tonlira::Transport& transport_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::atomic<bool> stop_{false};
    std::atomic<long> passes_{0};
    std::thread thread_;
};

}  // namespace

int main(int argc, char** argv) {
    const int files = argc > 1 ? std::atoi(argv[1]) : defaultFiles;
    gst_init(nullptr, nullptr);
    tonlira::initialiseMediaEngine();
    tonlira::setAudioOutput("fakesink sync=true");

    tonlira::test::TempDir dir;
    std::printf("generating %d audio files ...\n", files);
    const int audio = makeTree(dir.path(), files);

    tonlira::PlaybackState playback;
    tonlira::Playlist playlist(playback);
    NoView view;
    tonlira::Transport transport(playlist, playback, view);
    tonlira::FolderLoader loader(playlist);

    // The quiet loop: one entry in the playlist, so every pass applies the volume.
    playlist.addFile(TestMedia::make(TestFormat::Wav, dir.path(), fileSeconds, "ruhig").string());
    const long residentBefore = residentKiB();
    double quietRate = 0;
    {
        Loop loop(transport);
        std::this_thread::sleep_for(quietMeasure);
        quietRate = static_cast<double>(loop.passes()) / seconds(quietMeasure);
    }

    double loadSeconds = 0;
    double loadRate = 0;
    {
        Loop loop(transport);
        const auto start = Clock::now();
        loader.start((dir.path() / "tree").string());
        loader.waitUntilDone();
        const auto took = Clock::now() - start;
        loadSeconds = seconds(took);
        loadRate = static_cast<double>(loop.passes()) / loadSeconds;
    }
    const std::size_t entries = playlist.size();
    const double kibPerEntry = static_cast<double>(residentKiB() - residentBefore) / static_cast<double>(entries);
    const double filesPerSecond = static_cast<double>(entries) / loadSeconds;

    std::printf("entries loaded            %zu of %d audio files\n", entries, audio);
    std::printf("load time                 %.1f s\n", loadSeconds);
    std::printf("files per second          %.0f  (target >= %.0f: %s)\n", filesPerSecond, targetFilesPerSecond,
                verdict(filesPerSecond >= targetFilesPerSecond));
    std::printf("loop passes/s, quiet      %.1f\n", quietRate);
    std::printf("loop passes/s, loading    %.1f  (%.0f %%, target >= %.0f %%: %s)\n", loadRate,
                100.0 * loadRate / quietRate, 100.0 * targetPassRatio,
                verdict(loadRate >= targetPassRatio * quietRate));
    std::printf("memory per entry          %.1f KiB  (target <= %.0f: %s)\n", kibPerEntry, targetKiBPerEntry,
                verdict(kibPerEntry <= targetKiBPerEntry));

    const long residentLoaded = residentKiB();
    const auto clearStart = Clock::now();
    playlist.clearPlaylist();
    const double clearSeconds = seconds(Clock::now() - clearStart);
    const double keptShare = static_cast<double>(residentKiB() - residentBefore) /
                             static_cast<double>(std::max(residentLoaded - residentBefore, 1L));
    std::printf("clearing the playlist     %.2f s  (target <= %.1f: %s)\n", clearSeconds, targetClearSeconds,
                verdict(clearSeconds <= targetClearSeconds));
    std::printf("memory kept after it      %.0f %% of what the entries took  (target <= %.0f %%: %s)\n",
                100.0 * keptShare, 100.0 * targetKeptShare, verdict(keptShare <= targetKeptShare));
    return entries == static_cast<std::size_t>(audio) ? 0 : 1;
}
