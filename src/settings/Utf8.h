#pragma once
// Small UTF-8 helpers for text read from files.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tonlira {

struct DecodedChar {
    char32_t codePoint = 0;
    std::size_t length = 0;  // bytes taken from the input
};

// The well-formed UTF-8 sequence at the start of `text` (no overlong forms,
// no surrogates, nothing above U+10FFFF); nothing when there is none.
std::optional<DecodedChar> decodeUtf8(std::string_view text);

// Appends the UTF-8 form of `codePoint` to `out`.
void appendUtf8(std::string& out, char32_t codePoint);

// `bytes` with every well-formed sequence kept as it is, every lead byte that
// does not start a well-formed sequence replaced by "?", and every stray
// continuation byte dropped.
std::string repairUtf8(std::string_view bytes);

}  // namespace tonlira
