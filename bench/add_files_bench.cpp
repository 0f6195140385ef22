// How fast files enter the playlist, and what an idle entry costs.
//
// Two mixes, each in a temporary folder of its own:
//   mixed: COPIES files of each of the five formats, 3 s and 3 min long;
//   short: SHORT files of each format, all 3 s long.
// For each mix it times probe() over all files and holds the entries to
// measure memory, threads and descriptors per entry; gst-discoverer-1.0 runs
// over the same folder as the reference. Finally it times how soon a loaded
// entry starts playing.
//
// Usage: add_files_bench [COPIES [SHORT]]   (defaults 20 and 200, i.e. 200
// mixed and 1,000 short files)

#include "BenchSupport.h"
#include "media/MediaEngine.h"
#include "support/TempDir.h"
#include "support/TestMedia.h"

#include <gst/gst.h>
#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;
using tonlira::test::TestFormat;
using tonlira::test::TestMedia;
using namespace tonlira::bench;

namespace {

constexpr int defaultCopies = 20;
constexpr int defaultShortCopies = 200;
constexpr double shortSeconds = 3.0;
constexpr double longSeconds = 180.0;
constexpr double targetFilesPerSecond = 120.0;
constexpr double targetRatioToDiscoverer = 1.5;
constexpr double targetKiBPerEntry = 64.0;
constexpr double targetStartMs = 30.0;
constexpr TestFormat formats[] = {TestFormat::Wav, TestFormat::Mp3, TestFormat::Flac, TestFormat::Ogg,
                                  TestFormat::Wma};

double millis(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

long heapKiB() { return static_cast<long>(mallinfo2().uordblks / 1024); }

long countEntries(const char* folder) {
    long count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
        ++count;
    }
    return count;
}

std::vector<std::filesystem::path> makeFiles(const std::filesystem::path& folder, int copies,
                                             std::initializer_list<double> lengths) {
    std::vector<std::filesystem::path> files;
    for (const double length : lengths) {
        for (const TestFormat format : formats) {
            const auto original = TestMedia::make(format, folder, length);
            if (original.empty()) {
                std::fprintf(stderr, "could not make %s\n", TestMedia::name(format).c_str());
                std::exit(1);
            }
            for (int copy = 0; copy < copies; ++copy) {
                auto target = original;
                target.replace_filename(original.stem().string() + "-" + std::to_string(copy) +
                                        original.extension().string());
                // Links, not copies: three-minute wav files are 30 MB each.
                std::error_code linkError;
                std::filesystem::create_hard_link(original, target, linkError);
                if (linkError) {
                    std::filesystem::copy_file(original, target);
                }
                files.push_back(target);
            }
            std::filesystem::remove(original);
        }
    }
    return files;
}

// Measures how soon a loaded, idle entry reports a running position.
void startLatency(const std::string& output) {
    tonlira::setAudioOutput(output);
    std::printf(
        "\nstart of playback into \"%s\" (idle entry -> position running), target %.0f ms for "
        "wav/flac/ogg:\n",
        output.c_str(), targetStartMs);
    for (const TestFormat format : formats) {
        const auto file = TestMedia::shared(format, longSeconds);
        for (const std::int64_t from : {std::int64_t{0}, std::int64_t{60'000}}) {
            tonlira::ProbeResult probed = tonlira::probe(file.string(), 0);
            tonlira::seekMedia(probed.media.get(), from);
            const auto start = Clock::now();
            tonlira::runMedia(probed.media.get());
            const auto returned = Clock::now();
            while (tonlira::getMediaPosition(probed.media.get()) <= from && Clock::now() - start < 2s) {
            }
            const auto running = Clock::now();
            std::printf("  %-5s from %5.1f s: runMedia returns after %5.1f ms, position runs after %5.1f ms\n",
                        TestMedia::name(format).c_str(), static_cast<double>(from) / 1000.0, millis(returned - start),
                        millis(running - start));
            tonlira::freeMedia(probed.media);
        }
    }
}

// Waits until the thread count stops falling (entries coming to rest).
long settledThreads() {
    long last = countEntries("/proc/self/task");
    for (int round = 0; round < 50; ++round) {
        std::this_thread::sleep_for(20ms);
        const long now = countEntries("/proc/self/task");
        if (now >= last) {
            return now;
        }
        last = now;
    }
    return last;
}

struct MixResult {
    double ratio = 0.0;
    double kibPerEntry = 0.0;
};

MixResult measureMix(const char* name, const std::filesystem::path& folder,
                     const std::vector<std::filesystem::path>& files) {
    const auto n = static_cast<double>(files.size());
    std::printf("\n== %s: %zu files\n", name, files.size());
    // Bring the files into the page cache so neither tool pays for the
    // first touch.
    for (const auto& file : files) {
        tonlira::test::readFile(file);
    }

    const long rssBefore = residentKiB();
    const long heapBefore = heapKiB();
    const long threadsBefore = settledThreads();
    const long fdsBefore = countEntries("/proc/self/fd");
    std::vector<tonlira::MediaPtr> entries;
    entries.reserve(files.size());
    std::int64_t totalLengthMs = 0;
    const auto probeStart = Clock::now();
    for (const auto& file : files) {
        tonlira::ProbeResult probed = tonlira::probe(file.string(), 0);
        totalLengthMs += probed.lengthMs;
        entries.push_back(std::move(probed.media));
    }
    const double probeSeconds = seconds(Clock::now() - probeStart);
    const double threadsPerEntry = static_cast<double>(settledThreads() - threadsBefore) / n;
    const double kibPerEntry = static_cast<double>(residentKiB() - rssBefore) / n;
    const double heapPerEntry = static_cast<double>(heapKiB() - heapBefore) / n;
    const double fdsPerEntry = static_cast<double>(countEntries("/proc/self/fd") - fdsBefore) / n;

    const auto freeStart = Clock::now();
    for (auto& entry : entries) {
        tonlira::freeMedia(entry);
    }
    const double freeMs = millis(Clock::now() - freeStart);

    const std::string command = "gst-discoverer-1.0 " + folder.string() + " > /dev/null 2>&1";
    const auto discovererStart = Clock::now();
    const int discovererResult = std::system(command.c_str());
    const double discovererSeconds = seconds(Clock::now() - discovererStart);

    const double ours = n / probeSeconds;
    const double reference = n / discovererSeconds;
    std::printf("probe:              %7.1f files/s (%.2f s, total length %.1f h)\n", ours, probeSeconds,
                static_cast<double>(totalLengthMs) / 3.6e6);
    std::printf("gst-discoverer-1.0: %7.1f files/s (%.2f s, exit %d)\n", reference, discovererSeconds,
                discovererResult);
    std::printf("idle entry:         %7.1f KiB resident (%.1f KiB of heap in use), %.2f threads, %.2f descriptors\n",
                kibPerEntry, heapPerEntry, threadsPerEntry, fdsPerEntry);
    std::printf("freeing all:        %7.1f ms\n", freeMs);
    std::printf("targets: >= %.0f files/s: %s; >= %.1fx discoverer (%.2fx): %s; <= %.0f KiB per entry: %s\n",
                targetFilesPerSecond, verdict(ours >= targetFilesPerSecond), targetRatioToDiscoverer,
                ours / reference, verdict(ours >= targetRatioToDiscoverer * reference), targetKiBPerEntry,
                verdict(kibPerEntry <= targetKiBPerEntry));
    return {ours / reference, kibPerEntry};
}

}  // namespace

int main(int argc, char** argv) {
    const int copies = argc > 1 ? std::max(1, std::atoi(argv[1])) : defaultCopies;
    const int shortCopies = argc > 2 ? std::max(1, std::atoi(argv[2])) : defaultShortCopies;
    gst_init(nullptr, nullptr);
    const auto initStart = Clock::now();
    tonlira::initialiseMediaEngine();
    std::printf("initialiseMediaEngine: %.1f ms\n", millis(Clock::now() - initStart));

    const tonlira::test::TempDir mixedFolder;
    const tonlira::test::TempDir shortFolder;
    const auto mixed = makeFiles(mixedFolder.path() / ".", copies, {shortSeconds, longSeconds});
    const auto shorts = makeFiles(shortFolder.path() / ".", shortCopies, {shortSeconds});

    // The decoders into memory, so neither tool pays for loading them.
    for (std::size_t kind = 0; kind < std::size(formats); ++kind) {
        tonlira::probe(mixed[kind * static_cast<std::size_t>(copies)].string(), 0);
    }
    measureMix("mixed (half 3 s, half 3 min)", mixedFolder.path(), mixed);
    measureMix("short (all 3 s)", shortFolder.path(), shorts);

    startLatency("fakesink sync=true");
    startLatency("autoaudiosink");
    return 0;
}
