#pragma once
// Small media files for tests, generated in-process with GStreamer: a sine
// (440 Hz unless asked otherwise, so that files can be told apart by ear) at 44.1 kHz stereo in every format the
// player knows, and the broken files a player meets in the wild. Needs gst_init (TestMain does it).

#include "media/GstHandles.h"

#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

namespace tonlira::test {

enum class TestFormat {
    Wav,
    Mp3,      // no VBR header: GStreamer cannot tell its length before playing
    Mp3Xing,  // with a Xing header
    Flac,
    Ogg,           // vorbis
    Wma,           // wmav2 in ASF
    OggWithVideo,  // vorbis + theora; disable "theoradec" for a partial render
    ErrorMidway,   // ogg that plays `seconds`, then a chained stream whose decoder fails
    Truncated,     // flac cut after half its bytes; its header still tells the full length
    Corrupt,       // random bytes named .mp3
    TextOgg,       // a text file named .ogg
    Empty,         // an empty file named .mp3
};

// The five formats the player opens, as ordinary files.
inline constexpr TestFormat playableFormats[] = {TestFormat::Wav,  TestFormat::Mp3, TestFormat::Mp3Xing,
                                                 TestFormat::Flac, TestFormat::Ogg, TestFormat::Wma};

class TestMedia {
public:
    static constexpr int defaultHertz = 440;

    // Writes a file of `format` holding `seconds` of a `hertz` sine (rounded
    // to 0.1 s) into `folder` and returns its path. `stem` names the file; by
    // default the name tells the format and length. Empty path on failure.
    static std::filesystem::path make(TestFormat format, const std::filesystem::path& folder, double seconds = 3.0,
                                      const std::string& stem = {}, int hertz = defaultHertz);
    // A one-second flac whose tags name a title, an artist and an album.
    static std::filesystem::path makeTagged(const std::filesystem::path& folder, const std::string& title,
                                            const std::string& artist, const std::string& album);
    // The same file, made once per test program in a folder removed at exit.
    static std::filesystem::path shared(TestFormat format, double seconds = 3.0);

    static std::string extension(TestFormat format);
    static std::string name(TestFormat format);
};

// Takes the named decoders out of autoplugging for its lifetime (rank NONE)
// and restores their ranks afterwards. Affects pipelines built meanwhile,
// e.g. {"avdec_wmav2"} for wma, {"flacdec", "avdec_flac"} for flac.
class DisabledDecoders {
public:
    DisabledDecoders(std::initializer_list<const char*> names);
    ~DisabledDecoders();
    DisabledDecoders(const DisabledDecoders&) = delete;
    DisabledDecoders& operator=(const DisabledDecoders&) = delete;

private:
    struct Saved {
        gst::FeaturePtr feature;
        guint rank;
    };
    std::vector<Saved> saved_;
};

}  // namespace tonlira::test
