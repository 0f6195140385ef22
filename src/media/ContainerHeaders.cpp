#include "media/ContainerHeaders.h"

#include <array>
#include <utility>

namespace tonlira {
namespace {

constexpr std::int64_t nsPerSecond = 1'000'000'000;
constexpr std::int64_t asfUnitsPerSecond = 10'000'000;
constexpr std::int64_t msPerSecond = 1'000;

// Length in nanoseconds of `amount` at `perSecond`, without overflow for any
// 64-bit amount a file can hold.
std::int64_t lengthNs(std::uint64_t amount, std::uint64_t perSecond) {
    if (perSecond == 0) {
        return 0;
    }
    const auto scaled = static_cast<unsigned __int128>(amount) * nsPerSecond / perSecond;
    return scaled > static_cast<unsigned __int128>(INT64_MAX) ? 0 : static_cast<std::int64_t>(scaled);
}

// ---- RIFF WAVE ----

constexpr std::size_t riffHeader = 12;
constexpr std::size_t chunkHeader = 8;
constexpr int chunksSearched = 64;
constexpr std::size_t fmtMinimum = 16;
constexpr std::uint64_t pcmFormat = 1;
constexpr std::uint64_t floatFormat = 3;
constexpr std::uint64_t extensibleFormat = 0xFFFE;
constexpr std::size_t extensibleSubformat = 24;
constexpr std::uint64_t unknownDataSize = 0xFFFFFFFF;

constexpr std::uint64_t bitsPerByte = 8;

// Raw samples whose fields agree with each other, as the demuxer needs them.
bool rawSamples(const std::string& fmt) {
    std::uint64_t tag = littleEndian(fmt, 0, 2);
    if (tag == extensibleFormat && fmt.size() >= extensibleSubformat + 2) {
        tag = littleEndian(fmt, extensibleSubformat, 2);
    }
    const std::uint64_t channels = littleEndian(fmt, 2, 2);
    const std::uint64_t rate = littleEndian(fmt, 4, 4);
    const std::uint64_t byteRate = littleEndian(fmt, 8, 4);
    const std::uint64_t blockAlign = littleEndian(fmt, 12, 2);
    const std::uint64_t bits = littleEndian(fmt, 14, 2);
    const std::uint64_t sampleBytes = (bits + bitsPerByte - 1) / bitsPerByte;
    return (tag == pcmFormat || tag == floatFormat) && channels > 0 && rate > 0 && bits > 0 &&
           blockAlign == channels * sampleBytes && byteRate == rate * blockAlign;
}

// ---- FLAC ----

constexpr std::size_t id3HeaderSize = 10;
constexpr std::uint8_t id3FooterFlag = 0x10;
constexpr std::size_t streamInfoSize = 34;
constexpr std::size_t flacBlockHeader = 4;

std::uint64_t afterId3v2(const FileBytes& file) {
    std::uint64_t offset = 0;
    while (true) {
        const std::string h = file.read(offset, id3HeaderSize);
        if (h.size() < id3HeaderSize || !h.starts_with("ID3")) {
            return offset;
        }
        std::uint64_t size = 0;
        for (std::size_t i = 6; i < id3HeaderSize; ++i) {
            size = size << 7 | (static_cast<std::uint8_t>(h[i]) & 0x7F);
        }
        offset += id3HeaderSize + size + ((static_cast<std::uint8_t>(h[5]) & id3FooterFlag) != 0 ? id3HeaderSize : 0);
    }
}

// ---- Ogg ----

constexpr std::size_t pageHeader = 27;
constexpr std::uint8_t firstPageFlag = 0x02;
constexpr std::size_t granuleAt = 6;
constexpr std::size_t serialAt = 14;
constexpr std::size_t segmentsAt = 26;
constexpr std::uint64_t noGranule = ~std::uint64_t{0};
constexpr std::size_t vorbisRateAt = 12;
constexpr std::size_t vorbisIdMinimum = 16;
// How much of the file's end is searched for its last page (a page is at
// most 64 KiB plus its header).
constexpr std::size_t tailSearched = 72 * 1024;

// Pages checked from the start: the header packets, which a damaged page
// would lose, come before the first page with a granule.
constexpr int headerPagesChecked = 8;

std::uint32_t oggChecksum(std::string page) {
    constexpr std::uint32_t polynomial = 0x04C11DB7;
    constexpr std::size_t checksumAt = 22;
    page.replace(checksumAt, 4, 4, '\0');
    std::uint32_t crc = 0;
    for (const char byte : page) {
        crc ^= static_cast<std::uint32_t>(static_cast<std::uint8_t>(byte)) << 24;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 0x80000000U) != 0 ? (crc << 1) ^ polynomial : crc << 1;
        }
    }
    return crc;
}

struct Page {
    std::uint8_t flags = 0;
    std::uint64_t granule = 0;
    std::uint64_t serial = 0;
    std::uint64_t bodyAt = 0;
    std::uint64_t bodySize = 0;
};

std::optional<Page> pageAt(const FileBytes& file, std::uint64_t offset) {
    const std::string h = file.read(offset, pageHeader);
    if (h.size() < pageHeader || !h.starts_with("OggS") || h[4] != 0) {
        return std::nullopt;
    }
    const auto segments = static_cast<std::uint8_t>(h[segmentsAt]);
    const std::string table = file.read(offset + pageHeader, segments);
    if (table.size() < segments) {
        return std::nullopt;
    }
    Page page;
    page.flags = static_cast<std::uint8_t>(h[5]);
    page.granule = littleEndian(h, granuleAt, 8);
    page.serial = littleEndian(h, serialAt, 4);
    page.bodyAt = offset + pageHeader + segments;
    for (const char lacing : table) {
        page.bodySize += static_cast<std::uint8_t>(lacing);
    }
    if (page.bodyAt + page.bodySize > file.size()) {
        return std::nullopt;
    }
    return page;
}

// The page's checksum matches its bytes.
bool intact(const FileBytes& file, std::uint64_t offset, const Page& page) {
    const std::string bytes = file.read(offset, static_cast<std::size_t>(page.bodyAt + page.bodySize - offset));
    return oggChecksum(bytes) == static_cast<std::uint32_t>(littleEndian(bytes, 22, 4));
}

// ---- ASF ----

constexpr std::size_t guidSize = 16;
constexpr std::size_t asfObjectHeader = 24;
constexpr std::size_t asfHeaderFields = 30;
constexpr std::uint64_t asfHeaderLimit = 1024 * 1024;
constexpr std::string_view filePropertiesGuid{"\xA1\xDC\xAB\x8C\x47\xA9\xCF\x11\x8E\xE4\x00\xC0\x0C\x20\x53\x65", 16};
constexpr std::string_view streamPropertiesGuid{"\x91\x07\xDC\xB7\xB7\xA9\xCF\x11\x8E\xE6\x00\xC0\x0C\x20\x53\x65",
                                                16};
constexpr std::string_view audioMediaGuid{"\x40\x9E\x69\xF8\x4D\x5B\xCF\x11\xA8\xFD\x00\x80\x5F\x5C\x44\x2B", 16};
constexpr std::size_t playDurationAt = 64;
constexpr std::size_t prerollAt = 80;
constexpr std::size_t fileFlagsAt = 88;
constexpr std::uint64_t broadcastFlag = 0x1;
constexpr std::size_t streamTypeAt = 24;
constexpr std::size_t codecAt = 78;
// WMA codec ids and the wmaversion GStreamer's decoders take.
constexpr std::array<std::pair<std::uint64_t, int>, 4> wmaCodecs{{{0x160, 1}, {0x161, 2}, {0x162, 3}, {0x163, 4}}};

}  // namespace

std::optional<AudioHeader> readWavHeader(const FileBytes& file) {
    const std::string riff = file.read(0, riffHeader);
    if (riff.size() < riffHeader || !riff.starts_with("RIFF") || riff.compare(8, 4, "WAVE") != 0) {
        return std::nullopt;
    }
    std::string fmt;
    std::uint64_t offset = riffHeader;
    for (int i = 0; i < chunksSearched; ++i) {
        const std::string chunk = file.read(offset, chunkHeader);
        if (chunk.size() < chunkHeader) {
            return std::nullopt;
        }
        const std::uint64_t size = littleEndian(chunk, 4, 4);
        const std::uint64_t dataAt = offset + chunkHeader;
        if (chunk.starts_with("fmt ")) {
            fmt = file.read(dataAt, static_cast<std::size_t>(std::min<std::uint64_t>(size, extensibleSubformat + 2)));
            if (fmt.size() < fmtMinimum || !rawSamples(fmt)) {
                return std::nullopt;
            }
        } else if (chunk.starts_with("data")) {
            if (fmt.empty()) {
                return std::nullopt;
            }
            // A size beyond the file (a cut-off or still-growing file) counts
            // what is there, as the demuxer does.
            const std::uint64_t there = file.size() - std::min(file.size(), dataAt);
            const std::uint64_t bytes = size == 0 || size == unknownDataSize ? there : std::min(size, there);
            const std::uint64_t blockAlign = std::max<std::uint64_t>(littleEndian(fmt, 12, 2), 1);
            return AudioHeader{lengthNs(bytes - bytes % blockAlign, littleEndian(fmt, 8, 4)), "audio/x-wav", {}};
        }
        offset = dataAt + size + (size & 1);
    }
    return std::nullopt;
}

std::optional<AudioHeader> readFlacHeader(const FileBytes& file) {
    const std::uint64_t start = afterId3v2(file);
    const std::string h = file.read(start, 4 + flacBlockHeader + streamInfoSize);
    if (h.size() < 4 + flacBlockHeader + streamInfoSize || !h.starts_with("fLaC") ||
        (static_cast<std::uint8_t>(h[4]) & 0x7F) != 0 || bigEndian(h, 5, 3) < streamInfoSize) {
        return std::nullopt;
    }
    const std::string_view info = std::string_view(h).substr(4 + flacBlockHeader);
    constexpr std::uint64_t smallestBlock = 16;
    const std::uint64_t minimumBlock = bigEndian(info, 0, 2);
    const std::uint64_t maximumBlock = bigEndian(info, 2, 2);
    const std::uint64_t rate = bigEndian(info, 10, 3) >> 4;
    const std::uint64_t samples = bigEndian(info, 13, 5) & 0xFFFFFFFFFULL;
    if (minimumBlock < smallestBlock || maximumBlock < minimumBlock) {
        return std::nullopt;
    }
    return AudioHeader{lengthNs(samples, rate), "audio/x-flac", "audio/x-flac, framed=(boolean)true"};
}

std::optional<AudioHeader> readOggHeader(const FileBytes& file) {
    const auto first = pageAt(file, 0);
    if (!first || (first->flags & firstPageFlag) == 0) {
        return std::nullopt;
    }
    const std::string id = file.read(first->bodyAt, vorbisIdMinimum);
    if (id.size() < vorbisIdMinimum || !id.starts_with("\x01vorbis")) {
        return std::nullopt;
    }
    // One stream only: a second stream starts on the page that follows.
    const auto second = pageAt(file, first->bodyAt + first->bodySize);
    if (!second || (second->flags & firstPageFlag) != 0) {
        return std::nullopt;
    }
    // The header packets arrive undamaged, or the decoder cannot start.
    std::uint64_t offset = 0;
    for (int i = 0; i < headerPagesChecked; ++i) {
        const auto page = pageAt(file, offset);
        if (!page || !intact(file, offset, *page)) {
            return std::nullopt;
        }
        if (page->granule != 0) {
            break;
        }
        offset = page->bodyAt + page->bodySize;
    }
    const std::uint64_t rate = littleEndian(id, vorbisRateAt, 4);
    const std::uint64_t tailAt = file.size() - std::min<std::uint64_t>(file.size(), tailSearched);
    const std::string tail = file.read(tailAt, tailSearched);
    for (std::size_t at = tail.rfind("OggS"); at != std::string::npos;
         at = at == 0 ? std::string::npos : tail.rfind("OggS", at - 1)) {
        const auto page = pageAt(file, tailAt + at);
        if (!page || page->granule == noGranule) {
            continue;
        }
        // The file's last page must be this stream's: a chained file's length
        // is not in its last granule.
        if (page->serial != first->serial) {
            return std::nullopt;
        }
        return AudioHeader{lengthNs(page->granule, rate), "application/ogg", "audio/x-vorbis"};
    }
    return std::nullopt;
}

std::optional<AudioHeader> readAsfHeader(const FileBytes& file) {
    const std::string top = file.read(0, asfHeaderFields);
    if (top.size() < asfHeaderFields) {
        return std::nullopt;
    }
    const std::uint64_t headerSize = littleEndian(top, guidSize, 8);
    if (headerSize < asfHeaderFields || headerSize > std::min(asfHeaderLimit, file.size())) {
        return std::nullopt;
    }
    const std::string header = file.read(0, static_cast<std::size_t>(headerSize));
    std::optional<std::int64_t> length;
    int version = 0;
    for (std::size_t at = asfHeaderFields; at + asfObjectHeader <= header.size();) {
        const std::string_view object = std::string_view(header).substr(at);
        const std::uint64_t size = littleEndian(object, guidSize, 8);
        if (size < asfObjectHeader || size > object.size()) {
            return std::nullopt;
        }
        if (object.starts_with(filePropertiesGuid) && size >= fileFlagsAt + 4) {
            if ((littleEndian(object, fileFlagsAt, 4) & broadcastFlag) != 0) {
                return std::nullopt;
            }
            // Any value a broken header holds, without overflow.
            const std::int64_t play = lengthNs(littleEndian(object, playDurationAt, 8), asfUnitsPerSecond);
            const std::int64_t preroll = lengthNs(littleEndian(object, prerollAt, 8), msPerSecond);
            length = play - preroll;
        } else if (object.starts_with(streamPropertiesGuid)) {
            if (size < codecAt + 2 || object.substr(streamTypeAt, guidSize) != audioMediaGuid) {
                return std::nullopt;  // a picture stream: the pipeline decides
            }
            const std::uint64_t codec = littleEndian(object, codecAt, 2);
            int found = 0;
            for (const auto& [id, wmaVersion] : wmaCodecs) {
                found = id == codec ? wmaVersion : found;
            }
            if (found == 0 || (version != 0 && version != found)) {
                return std::nullopt;
            }
            version = found;
        }
        at += static_cast<std::size_t>(size);
    }
    if (!length || *length <= 0 || version == 0) {
        return std::nullopt;
    }
    return AudioHeader{*length, "video/x-ms-asf", "audio/x-wma, wmaversion=(int)" + std::to_string(version)};
}

}  // namespace tonlira
