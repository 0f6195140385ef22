#include "support/TestMedia.h"

#include "support/TempDir.h"

#include "media/GstHandles.h"

#include <cmath>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <random>
#include <sstream>

namespace tonlira::test {
namespace {

constexpr int samplesPerBuffer = 4410;  // 0.1 s at 44.1 kHz
constexpr double buffersPerSecond = 10.0;
constexpr GstClockTime generateTimeout = 300 * GST_SECOND;
constexpr std::size_t corruptBytes = 64 * 1024;

std::string encoderFor(TestFormat format) {
    switch (format) {
    case TestFormat::Wav: return "wavenc";
    case TestFormat::Mp3: return "lamemp3enc bitrate=128";
    case TestFormat::Mp3Xing: return "lamemp3enc bitrate=128 ! xingmux";
    case TestFormat::Flac:
    case TestFormat::Truncated: return "flacenc";
    case TestFormat::Ogg:
    case TestFormat::ErrorMidway: return "audioconvert ! vorbisenc ! oggmux";
    case TestFormat::Wma: return "audioconvert ! avenc_wmav2 ! avmux_asf";
    default: return {};
    }
}

std::string sine(double seconds, int hertz = TestMedia::defaultHertz) {
    const long buffers = std::max(1L, std::lround(seconds * buffersPerSecond));
    std::ostringstream out;
    out << "audiotestsrc wave=sine freq=" << hertz << " volume=0.5 num-buffers=" << buffers
        << " samplesperbuffer=" << samplesPerBuffer << " ! audio/x-raw,rate=44100,channels=2";
    return out.str();
}

// Runs a gst-launch description whose file sink is named "out" to its end;
// `prepare` may set up the pipeline's elements first.
bool runToEnd(const std::string& description, const std::filesystem::path& target,
              const std::function<void(GstBin*)>& prepare = {}) {
    GError* rawError = nullptr;
    GstElement* launched = gst_parse_launch(description.c_str(), &rawError);
    const gst::ErrorPtr error(rawError);
    if (launched == nullptr) {
        return false;
    }
    const gst::PipelinePtr pipeline(static_cast<GstElement*>(gst_object_ref_sink(launched)));
    if (error) {
        return false;
    }
    const gst::ElementPtr sink(gst_bin_get_by_name(GST_BIN(pipeline.get()), "out"));
    g_object_set(sink.get(), "location", target.c_str(), nullptr);
    if (prepare) {
        prepare(GST_BIN(pipeline.get()));
    }
    const gst::BusPtr bus(gst_element_get_bus(pipeline.get()));
    gst_element_set_state(pipeline.get(), GST_STATE_PLAYING);
    const gst::MessagePtr message(gst_bus_timed_pop_filtered(
        bus.get(), generateTimeout, static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR)));
    return message && GST_MESSAGE_TYPE(message.get()) == GST_MESSAGE_EOS;
}

bool encode(TestFormat format, double seconds, const std::filesystem::path& target,
            int hertz = TestMedia::defaultHertz) {
    return runToEnd(sine(seconds, hertz) + " ! " + encoderFor(format) + " ! filesink name=out", target);
}

bool encodeWithVideo(double seconds, const std::filesystem::path& target) {
    const long frames = std::max(1L, std::lround(seconds * buffersPerSecond));
    std::ostringstream video;
    video << "videotestsrc num-buffers=" << frames
          << " ! video/x-raw,width=64,height=48,framerate=10/1 ! theoraenc ! m.";
    return runToEnd(
        "oggmux name=m ! filesink name=out " + sine(seconds) + " ! audioconvert ! vorbisenc ! m. " + video.str(),
        target);
}

// Ogg page checksum: CRC-32, polynomial 0x04c11db7, unreflected, start 0.
std::uint32_t oggCrc(const std::string& bytes, std::size_t from, std::size_t count) {
    std::uint32_t crc = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        crc ^= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << 24;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 0x80000000U) != 0 ? (crc << 1) ^ 0x04c11db7U : crc << 1;
        }
    }
    return crc;
}

// Gives every page of an ogg stream a new serial number and, on the first
// page, a vorbis identification header with zero channels, which the
// decoder rejects. Page checksums are recomputed, so the demuxer accepts it.
bool breakOggLink(std::string& bytes) {
    constexpr std::size_t serialOffset = 14;
    constexpr std::size_t crcOffset = 22;
    constexpr std::size_t segmentsOffset = 26;
    constexpr std::size_t channelsInPacket = 11;
    constexpr std::uint32_t newSerial = 0x7e57ab1e;
    std::size_t page = 0;
    bool first = true;
    while (page + segmentsOffset < bytes.size() && bytes.compare(page, 4, "OggS") == 0) {
        const std::size_t segments = static_cast<unsigned char>(bytes[page + segmentsOffset]);
        std::size_t body = 0;
        for (std::size_t s = 0; s < segments; ++s) {
            body += static_cast<unsigned char>(bytes[page + segmentsOffset + 1 + s]);
        }
        const std::size_t headerLength = segmentsOffset + 1 + segments;
        if (page + headerLength + body > bytes.size()) {
            return false;
        }
        for (std::size_t i = 0; i < 4; ++i) {
            bytes[page + serialOffset + i] = static_cast<char>((newSerial >> (8 * i)) & 0xFF);
        }
        if (first) {
            bytes[page + headerLength + channelsInPacket] = 0;
            first = false;
        }
        for (std::size_t i = 0; i < 4; ++i) {
            bytes[page + crcOffset + i] = 0;
        }
        const std::uint32_t crc = oggCrc(bytes, page, headerLength + body);
        for (std::size_t i = 0; i < 4; ++i) {
            bytes[page + crcOffset + i] = static_cast<char>((crc >> (8 * i)) & 0xFF);
        }
        page += headerLength + body;
    }
    return !first && page == bytes.size();
}

bool makeErrorMidway(double seconds, const std::filesystem::path& target) {
    const std::filesystem::path link = target.string() + ".link";
    if (!encode(TestFormat::Ogg, seconds, target) || !encode(TestFormat::Ogg, 1.0, link)) {
        return false;
    }
    std::string broken = readFile(link);
    std::filesystem::remove(link);
    if (!breakOggLink(broken)) {
        return false;
    }
    writeFile(target, readFile(target) + broken);
    return true;
}

std::string randomBytes(std::size_t count) {
    std::mt19937 generator(20240607);  // fixed, so every run sees the same bytes
    std::uniform_int_distribution<int> byte(0, 255);
    std::string bytes(count, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(byte(generator));
    }
    return bytes;
}

}  // namespace

std::string TestMedia::extension(TestFormat format) {
    switch (format) {
    case TestFormat::Wav: return ".wav";
    case TestFormat::Mp3:
    case TestFormat::Mp3Xing:
    case TestFormat::Corrupt:
    case TestFormat::Empty: return ".mp3";
    case TestFormat::Flac:
    case TestFormat::Truncated: return ".flac";
    case TestFormat::Wma: return ".wma";
    case TestFormat::Ogg:
    case TestFormat::OggWithVideo:
    case TestFormat::ErrorMidway:
    case TestFormat::TextOgg: return ".ogg";
    }
    return {};
}

std::string TestMedia::name(TestFormat format) {
    static const std::map<TestFormat, std::string> names{
        {TestFormat::Wav, "wav"},
        {TestFormat::Mp3, "mp3"},
        {TestFormat::Mp3Xing, "mp3xing"},
        {TestFormat::Flac, "flac"},
        {TestFormat::Ogg, "ogg"},
        {TestFormat::Wma, "wma"},
        {TestFormat::OggWithVideo, "oggvideo"},
        {TestFormat::ErrorMidway, "errormidway"},
        {TestFormat::Truncated, "truncated"},
        {TestFormat::Corrupt, "corrupt"},
        {TestFormat::TextOgg, "textogg"},
        {TestFormat::Empty, "empty"},
    };
    return names.at(format);
}

std::filesystem::path TestMedia::makeTagged(const std::filesystem::path& folder, const std::string& title,
                                            const std::string& artist, const std::string& album) {
    const std::filesystem::path target = folder / "tagged.flac";
    const std::string tags = "title=\"" + title + "\",artist=\"" + artist + "\",album=\"" + album + "\"";
    const std::string description = sine(1.0) + " ! taginject name=tags ! audioconvert ! flacenc ! filesink name=out";
    const auto setTags = [&](GstBin* bin) {
        const gst::ElementPtr inject(gst_bin_get_by_name(bin, "tags"));
        g_object_set(inject.get(), "tags", tags.c_str(), nullptr);
    };
    return runToEnd(description, target, setTags) ? target : std::filesystem::path();
}

std::filesystem::path TestMedia::make(TestFormat format, const std::filesystem::path& folder, double seconds,
                                      const std::string& stem, int hertz) {
    std::string base = stem;
    if (base.empty()) {
        base = name(format) + "-" + std::to_string(std::lround(seconds * 1000)) + "ms";
    }
    const std::filesystem::path target = folder / (base + extension(format));
    bool ok = true;
    switch (format) {
    case TestFormat::OggWithVideo: ok = encodeWithVideo(seconds, target); break;
    case TestFormat::ErrorMidway: ok = makeErrorMidway(seconds, target); break;
    case TestFormat::Truncated:
        ok = encode(format, seconds, target);
        if (ok) {
            const std::string whole = readFile(target);
            writeFile(target, whole.substr(0, whole.size() / 2));
        }
        break;
    case TestFormat::Corrupt: writeFile(target, randomBytes(corruptBytes)); break;
    case TestFormat::TextOgg:
        writeFile(target, "This is not a sound file.\nJust some text with an .ogg name.\n");
        break;
    case TestFormat::Empty: writeFile(target, {}); break;
    default: ok = encode(format, seconds, target, hertz); break;
    }
    return ok ? target : std::filesystem::path{};
}

std::filesystem::path TestMedia::shared(TestFormat format, double seconds) {
    static std::mutex mutex;
    static TempDir folder;
    static std::map<std::pair<TestFormat, long>, std::filesystem::path> made;
    std::lock_guard lock(mutex);
    const auto key = std::make_pair(format, std::lround(seconds * 1000));
    auto found = made.find(key);
    if (found == made.end() || found->second.empty()) {
        found = made.insert_or_assign(key, make(format, folder.path(), seconds)).first;
    }
    return found->second;
}

DisabledDecoders::DisabledDecoders(std::initializer_list<const char*> names) {
    for (const char* name : names) {
        gst::FeaturePtr feature(gst_registry_lookup_feature(gst_registry_get(), name));
        if (feature) {
            const guint rank = gst_plugin_feature_get_rank(feature.get());
            gst_plugin_feature_set_rank(feature.get(), GST_RANK_NONE);
            saved_.push_back({std::move(feature), rank});
        }
    }
}

DisabledDecoders::~DisabledDecoders() {
    for (const Saved& saved : saved_) {
        gst_plugin_feature_set_rank(saved.feature.get(), saved.rank);
    }
}

}  // namespace tonlira::test
