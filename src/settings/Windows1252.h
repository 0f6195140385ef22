#pragma once
// Conversion between Windows-1252 bytes, the 8-bit form of the preferences
// file, and the UTF-8 text the program works in.
//
// All 256 byte values convert: the five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the C1 control characters of the
// same number, so any 8-bit file reads and writes back byte for byte.

#include <optional>
#include <string>
#include <string_view>

namespace tonlira {

// Every byte becomes the UTF-8 form of its Windows-1252 character.
std::string windows1252ToUtf8(std::string_view bytes);

// The Windows-1252 bytes of `utf8`; nothing when a character has no byte in
// the code page (or `utf8` is not valid UTF-8).
std::optional<std::string> utf8ToWindows1252(std::string_view utf8);

}  // namespace tonlira
