#pragma once
// The header readers of the containers with a length field of their own
// (see AudioHeader.h). Each gives nothing when its header does not add up.

#include "media/AudioHeader.h"
#include "media/FileBytes.h"

#include <optional>
#include <string_view>

namespace tonlira {

// The first 16 bytes of every ASF file.
inline constexpr std::string_view asfHeaderGuid{"\x30\x26\xB2\x75\x8E\x66\xCF\x11\xA6\xD9\x00\xAA\x00\x62\xCE\x6C",
                                                16};

std::optional<AudioHeader> readWavHeader(const FileBytes& file);
std::optional<AudioHeader> readFlacHeader(const FileBytes& file);
std::optional<AudioHeader> readOggHeader(const FileBytes& file);
std::optional<AudioHeader> readAsfHeader(const FileBytes& file);

}  // namespace tonlira
