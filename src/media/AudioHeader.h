#pragma once
// What a file's container header tells without decoding anything: the
// playing time and the decoder the sound needs. Read for every file added to
// the playlist, so it costs a few small reads, never a pipeline.
//
// Recognised by content, not by name: RIFF WAVE with PCM or float samples,
// FLAC with a sample count in its STREAMINFO, Ogg holding one Vorbis stream
// (its last granule), ASF whose every stream is WMA (its file properties),
// and MPEG audio that starts right after its ID3v2 tags (a Xing or VBRI
// frame count, else the frames walked). Anything else, and every header that
// does not add up, gives nothing: the caller then asks GStreamer itself.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace tonlira {

struct AudioHeader {
    std::int64_t lengthNs = 0;  // above 0
    // The container's demuxer, as caps ("" when the stream needs none).
    std::string containerCaps;
    // The stream's decoder, as caps ("" for raw samples).
    std::string decoderCaps;
};

std::optional<AudioHeader> readAudioHeader(const std::filesystem::path& path);

// True when GStreamer's registry has an element, ranked for autoplugging,
// for the container and the decoder the header names.
bool decodersAvailable(const AudioHeader& header);

}  // namespace tonlira
