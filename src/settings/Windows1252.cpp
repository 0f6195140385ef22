#include "settings/Windows1252.h"

#include "settings/Utf8.h"

#include <algorithm>
#include <array>

namespace tonlira {

namespace {

constexpr unsigned char kFirstSpecialByte = 0x80;
constexpr unsigned char kFirstLatin1Byte = 0xA0;

// The characters of bytes 0x80 to 0x9F; from 0xA0 on a byte is the code point
// of the same number, as below 0x80.
constexpr std::array<char32_t, kFirstLatin1Byte - kFirstSpecialByte> kSpecialChars = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t charOfByte(unsigned char byte) {
    if (byte >= kFirstSpecialByte && byte < kFirstLatin1Byte) {
        return kSpecialChars[byte - kFirstSpecialByte];
    }
    return byte;
}

std::optional<unsigned char> byteOfChar(char32_t codePoint) {
    constexpr char32_t kLastByteValue = 0xFF;
    if (codePoint < kFirstSpecialByte || (codePoint >= kFirstLatin1Byte && codePoint <= kLastByteValue)) {
        return static_cast<unsigned char>(codePoint);
    }
    const auto found = std::find(kSpecialChars.begin(), kSpecialChars.end(), codePoint);
    if (found == kSpecialChars.end()) {
        return std::nullopt;
    }
    return static_cast<unsigned char>(kFirstSpecialByte + (found - kSpecialChars.begin()));
}

}  // namespace

std::string windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char byte : bytes) {
        appendUtf8(out, charOfByte(static_cast<unsigned char>(byte)));
    }
    return out;
}

std::optional<std::string> utf8ToWindows1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto decoded = decodeUtf8(utf8.substr(pos));
        if (!decoded) {
            return std::nullopt;
        }
        const auto byte = byteOfChar(decoded->codePoint);
        if (!byte) {
            return std::nullopt;
        }
        out.push_back(static_cast<char>(*byte));
        pos += decoded->length;
    }
    return out;
}

}  // namespace tonlira
