// Tells what a recording holds, 20 ms at a time: one line per window with its
// start in milliseconds, its RMS level (0 to 1) and its frequency in hertz
// from the zero crossings. Reads a 16-bit PCM WAV file (mono or the first
// channel), as parecord writes it; a data size left open by an interrupted
// recording is read to the end of the file.
// Usage: sound_windows FILE.wav [WINDOW_MS]

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::uint32_t le32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::uint16_t le16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s FILE.wav [WINDOW_MS]\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), {}};
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 || std::memcmp(&bytes[8], "WAVE", 4) != 0) {
        std::fprintf(stderr, "%s: not a WAV file\n", argv[1]);
        return 1;
    }
    unsigned channels = 0, rate = 0, bits = 0;
    std::size_t offset = 12, dataStart = 0, dataSize = 0;
    while (offset + 8 <= bytes.size()) {
        const std::uint32_t size = le32(&bytes[offset + 4]);
        if (std::memcmp(&bytes[offset], "fmt ", 4) == 0 && offset + 24 <= bytes.size()) {
            channels = le16(&bytes[offset + 10]);
            rate = le32(&bytes[offset + 12]);
            bits = le16(&bytes[offset + 22]);
        } else if (std::memcmp(&bytes[offset], "data", 4) == 0) {
            dataStart = offset + 8;
            dataSize = std::min<std::size_t>(size, bytes.size() - dataStart);
            if (size == 0) {
                dataSize = bytes.size() - dataStart;
            }
            break;
        }
        offset += 8 + size + (size & 1U);
    }
    if (dataStart == 0 || channels == 0 || rate == 0 || bits != 16) {
        std::fprintf(stderr, "%s: no 16-bit PCM data\n", argv[1]);
        return 1;
    }
    const double windowMs = argc == 3 ? std::stod(argv[2]) : 20.0;
    const auto perWindow = static_cast<std::size_t>(rate * windowMs / 1000.0);
    const std::size_t frameBytes = channels * 2U;
    const std::size_t frames = dataSize / frameBytes;
    for (std::size_t first = 0; first + perWindow <= frames; first += perWindow) {
        double sum = 0;
        int crossings = 0;
        double previous = 0;
        for (std::size_t i = first; i < first + perWindow; ++i) {
            const auto raw = static_cast<std::int16_t>(le16(&bytes[dataStart + i * frameBytes]));
            const double sample = raw / 32768.0;
            sum += sample * sample;
            if (i > first && ((previous < 0) != (sample < 0))) {
                ++crossings;
            }
            previous = sample;
        }
        const double rms = std::sqrt(sum / static_cast<double>(perWindow));
        const double hertz = crossings / 2.0 / (windowMs / 1000.0);
        std::printf("%.0f %.5f %.0f\n", static_cast<double>(first) * 1000.0 / rate, rms, hertz);
    }
    return 0;
}
