#include "media/MpegAudioLength.h"

#include <array>
#include <fstream>
#include <vector>

namespace tonlira {
namespace {

constexpr std::size_t windowSize = 64 * 1024;
constexpr std::size_t headerSize = 4;
constexpr std::size_t id3HeaderSize = 10;
constexpr std::uint8_t id3FooterFlag = 0x10;
// How far to look for the first frame, and for the next one after junk.
constexpr std::uint64_t firstFrameSearch = 256 * 1024;
constexpr std::uint64_t resyncSearch = 4 * 1024;
constexpr std::int64_t nsPerSecond = 1'000'000'000;

enum Version { mpeg25 = 0, reservedVersion = 1, mpeg2 = 2, mpeg1 = 3 };
enum Layer { reservedLayer = 0, layer3 = 1, layer2 = 2, layer1 = 3 };

// kbit/s by [table][index]; index 0 is "free format", which is not walked.
constexpr std::array<std::array<int, 15>, 5> bitrates{{
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},  // MPEG-1 layer I
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},     // MPEG-1 layer II
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},      // MPEG-1 layer III
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},     // MPEG-2/2.5 layer I
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},          // MPEG-2/2.5 layer II, III
}};
constexpr std::array<std::array<int, 3>, 4> sampleRates{{
    {11025, 12000, 8000},   // MPEG-2.5
    {0, 0, 0},              // reserved
    {22050, 24000, 16000},  // MPEG-2
    {44100, 48000, 32000},  // MPEG-1
}};

struct Frame {
    std::size_t version = 0;  // a Version, an index into sampleRates
    int layer = 0;
    int sampleRate = 0;
    int samples = 0;
    std::uint32_t bytes = 0;

    bool sameStream(const Frame& other) const {
        return version == other.version && layer == other.layer && sampleRate == other.sampleRate;
    }
};

std::optional<Frame> parseHeader(const std::uint8_t* h) {
    if (h[0] != 0xFF || (h[1] & 0xE0) != 0xE0) {
        return std::nullopt;
    }
    Frame frame;
    frame.version = (h[1] >> 3) & 0x3;
    frame.layer = (h[1] >> 1) & 0x3;
    const std::size_t bitrateIndex = h[2] >> 4;
    const std::size_t rateIndex = (h[2] >> 2) & 0x3;
    const int padding = (h[2] >> 1) & 0x1;
    constexpr int reservedEmphasis = 2;
    if (frame.version == reservedVersion || frame.layer == reservedLayer || bitrateIndex == 0 || bitrateIndex == 15 ||
        rateIndex == 3 || (h[3] & 0x3) == reservedEmphasis) {
        return std::nullopt;
    }
    const bool v1 = frame.version == mpeg1;
    const std::size_t table = v1 ? (frame.layer == layer1   ? 0
                                    : frame.layer == layer2 ? 1
                                                            : 2)
                                 : (frame.layer == layer1 ? 3 : 4);
    const long bitsPerSecond = bitrates[table][bitrateIndex] * 1000L;
    frame.sampleRate = sampleRates[frame.version][rateIndex];
    if (frame.layer == layer1) {
        constexpr int layer1Slot = 4;
        frame.samples = 384;
        frame.bytes = static_cast<std::uint32_t>((12 * bitsPerSecond / frame.sampleRate + padding) * layer1Slot);
    } else {
        frame.samples = (frame.layer == layer3 && !v1) ? 576 : 1152;
        const long samplesOver8 = frame.samples / 8;
        frame.bytes = static_cast<std::uint32_t>(samplesOver8 * bitsPerSecond / frame.sampleRate + padding);
    }
    return frame;
}

// Reads the file through one window of bytes; random access by offset.
class Reader {
public:
    explicit Reader(const std::filesystem::path& path) : in_(path, std::ios::binary) {
        std::error_code error;
        size_ = std::filesystem::file_size(path, error);
        if (error || !in_) {
            size_ = 0;
        }
        buffer_.resize(windowSize);
    }

    std::uint64_t size() const { return size_; }

    // Pointer to `count` bytes at `offset` (count <= windowSize), or null past
    // the end.
    const std::uint8_t* at(std::uint64_t offset, std::size_t count) {
        if (offset + count > size_) {
            return nullptr;
        }
        if (offset < start_ || offset + count > start_ + filled_) {
            in_.clear();
            in_.seekg(static_cast<std::streamoff>(offset));
            in_.read(reinterpret_cast<char*>(buffer_.data()), static_cast<std::streamsize>(buffer_.size()));
            start_ = offset;
            filled_ = static_cast<std::size_t>(in_.gcount());
            if (filled_ < count) {
                return nullptr;
            }
        }
        return buffer_.data() + (offset - start_);
    }

private:
    std::ifstream in_;
    std::uint64_t size_ = 0;
    std::vector<std::uint8_t> buffer_;
    std::uint64_t start_ = 0;
    std::size_t filled_ = 0;
};

std::uint64_t skipId3v2(Reader& reader) {
    std::uint64_t offset = 0;
    while (const std::uint8_t* h = reader.at(offset, id3HeaderSize)) {
        if (h[0] != 'I' || h[1] != 'D' || h[2] != '3') {
            break;
        }
        const std::uint64_t size = (std::uint64_t{h[6]} & 0x7F) << 21 | (std::uint64_t{h[7]} & 0x7F) << 14 |
                                   (std::uint64_t{h[8]} & 0x7F) << 7 | (std::uint64_t{h[9]} & 0x7F);
        offset += id3HeaderSize + size + ((h[5] & id3FooterFlag) != 0 ? id3HeaderSize : 0);
    }
    return offset;
}

// A frame at `offset` that is followed by another frame of the same stream
// (or by the end of the file), which rules out a chance sync word.
std::optional<Frame> confirmedFrame(Reader& reader, std::uint64_t offset, const Frame* like) {
    const std::uint8_t* h = reader.at(offset, headerSize);
    if (h == nullptr) {
        return std::nullopt;
    }
    const auto frame = parseHeader(h);
    if (!frame || (like != nullptr && !frame->sameStream(*like))) {
        return std::nullopt;
    }
    const std::uint64_t next = offset + frame->bytes;
    if (next >= reader.size()) {
        return frame;
    }
    const std::uint8_t* n = reader.at(next, headerSize);
    if (n == nullptr) {
        return frame;
    }
    const auto following = parseHeader(n);
    if (!following || !following->sameStream(*frame)) {
        return std::nullopt;
    }
    return frame;
}

// Offset of the next confirmed frame within `limit` bytes from `from`.
std::optional<std::uint64_t> findFrame(Reader& reader, std::uint64_t from, std::uint64_t limit, const Frame* like) {
    const std::uint64_t end = std::min(reader.size(), from + limit);
    for (std::uint64_t offset = from; offset + headerSize <= end; ++offset) {
        const std::uint8_t* h = reader.at(offset, headerSize);
        if (h != nullptr && h[0] == 0xFF && confirmedFrame(reader, offset, like)) {
            return offset;
        }
    }
    return std::nullopt;
}

std::int64_t walkFrames(Reader& reader, std::uint64_t first) {
    const Frame stream = *parseHeader(reader.at(first, headerSize));
    std::int64_t samples = 0;
    std::uint64_t offset = first;
    while (offset + headerSize <= reader.size()) {
        const std::uint8_t* h = reader.at(offset, headerSize);
        const auto frame = h != nullptr ? parseHeader(h) : std::nullopt;
        if (frame && frame->sameStream(stream)) {
            samples += frame->samples;
            offset += frame->bytes;
            continue;
        }
        const auto next = findFrame(reader, offset + 1, resyncSearch, &stream);
        if (!next) {
            break;  // trailing tags or the end of the audio
        }
        offset = *next;
    }
    return samples * nsPerSecond / stream.sampleRate;
}

}  // namespace

std::optional<std::int64_t> mpegAudioDurationNs(const std::filesystem::path& path) {
    Reader reader(path);
    if (reader.size() == 0) {
        return std::nullopt;
    }
    const auto first = findFrame(reader, skipId3v2(reader), firstFrameSearch, nullptr);
    if (!first) {
        return std::nullopt;
    }
    return walkFrames(reader, *first);
}

std::optional<MpegAudioStart> mpegAudioStart(const std::filesystem::path& path) {
    Reader reader(path);
    if (reader.size() == 0) {
        return std::nullopt;
    }
    const std::uint64_t first = skipId3v2(reader);
    const auto frame = confirmedFrame(reader, first, nullptr);
    // A whole frame, and a second one behind it: a few bytes of a frame are
    // no sound.
    const std::uint8_t* second = frame ? reader.at(first + frame->bytes, headerSize) : nullptr;
    if (second == nullptr) {
        return std::nullopt;
    }
    constexpr int layerNumbers[] = {0, 3, 2, 1};  // by the header's layer bits
    const std::string caps = "audio/mpeg, mpegversion=(int)1, layer=(int)" +
                             std::to_string(layerNumbers[frame->layer]) + ", parsed=(boolean)true";
    return MpegAudioStart{walkFrames(reader, first), caps};
}

}  // namespace tonlira
