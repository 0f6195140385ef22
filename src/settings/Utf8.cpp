#include "settings/Utf8.h"

namespace tonlira {

namespace {

constexpr unsigned char kContinuationMask = 0xC0;
constexpr unsigned char kContinuationTag = 0x80;
constexpr char32_t kLastCodePoint = 0x10FFFF;
constexpr char32_t kFirstSurrogate = 0xD800;
constexpr char32_t kLastSurrogate = 0xDFFF;
constexpr char32_t kReplacement = U'?';

bool isContinuation(unsigned char byte) { return (byte & kContinuationMask) == kContinuationTag; }

struct LeadInfo {
    std::size_t length;
    char32_t bits;
    char32_t smallest;  // the lowest code point that needs this length
};

std::optional<LeadInfo> leadInfo(unsigned char byte) {
    if (byte < 0x80) {
        return LeadInfo{1, byte, 0};
    }
    if ((byte & 0xE0) == 0xC0) {
        return LeadInfo{2, static_cast<char32_t>(byte & 0x1F), 0x80};
    }
    if ((byte & 0xF0) == 0xE0) {
        return LeadInfo{3, static_cast<char32_t>(byte & 0x0F), 0x800};
    }
    if ((byte & 0xF8) == 0xF0) {
        return LeadInfo{4, static_cast<char32_t>(byte & 0x07), 0x10000};
    }
    return std::nullopt;
}

}  // namespace

std::optional<DecodedChar> decodeUtf8(std::string_view text) {
    if (text.empty()) {
        return std::nullopt;
    }
    const auto lead = leadInfo(static_cast<unsigned char>(text.front()));
    if (!lead || text.size() < lead->length) {
        return std::nullopt;
    }
    char32_t codePoint = lead->bits;
    for (std::size_t i = 1; i < lead->length; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (!isContinuation(byte)) {
            return std::nullopt;
        }
        codePoint = (codePoint << 6) | (byte & 0x3F);
    }
    if (codePoint < lead->smallest || codePoint > kLastCodePoint ||
        (codePoint >= kFirstSurrogate && codePoint <= kLastSurrogate)) {
        return std::nullopt;
    }
    return DecodedChar{codePoint, lead->length};
}

void appendUtf8(std::string& out, char32_t codePoint) {
    const auto put = [&out](char32_t bits) { out.push_back(static_cast<char>(bits)); };
    if (codePoint < 0x80) {
        put(codePoint);
    } else if (codePoint < 0x800) {
        put(0xC0 | (codePoint >> 6));
        put(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        put(0xE0 | (codePoint >> 12));
        put(0x80 | ((codePoint >> 6) & 0x3F));
        put(0x80 | (codePoint & 0x3F));
    } else {
        put(0xF0 | (codePoint >> 18));
        put(0x80 | ((codePoint >> 12) & 0x3F));
        put(0x80 | ((codePoint >> 6) & 0x3F));
        put(0x80 | (codePoint & 0x3F));
    }
}

std::string repairUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[pos]);
        if (isContinuation(byte)) {
            ++pos;
            continue;
        }
        if (const auto decoded = decodeUtf8(bytes.substr(pos))) {
            out.append(bytes.substr(pos, decoded->length));
            pos += decoded->length;
        } else {
            out.push_back(static_cast<char>(kReplacement));
            ++pos;
        }
    }
    return out;
}

}  // namespace tonlira
