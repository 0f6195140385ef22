#pragma once
// One loaded audio file and, once it is first used, its GStreamer pipeline
//   filesrc ! decodebin ! audioconvert ! audioresample ! volume ! output
// (further streams go to discarding sinks).
//
// load() reads the length from the file's header and asks the registry for
// its decoder; such an entry is a small record until it is first played,
// paused or resumed, when its pipeline is built and prerolled (a file that
// fails then gets the render box, posted to the GUI thread). A file whose
// header tells nothing is prerolled at once, as the sole judge, and its
// pipeline is kept idle in NULL (reached on the settler's thread, so that
// loading goes on to the next file meanwhile; every use waits for it). An
// idle pipeline has no streaming thread and no sound-server stream; only a
// playing or paused entry holds them.
//
// Times inside are 100-ns media units (GStreamer nanoseconds / 100).
//
// Threading: a MediaObject is used by one thread at a time (the playlist
// serialises that); it may be created on one thread and used or freed on
// another. GStreamer's streaming threads touch only the StreamLinks and
// BusWatch members, which guard themselves. The remaining members belong to
// the using thread.

#include "media/BusWatch.h"
#include "media/GstHandles.h"
#include "media/MediaEngine.h"
#include "media/StreamLinks.h"

#include <cstdint>
#include <future>
#include <memory>
#include <string>

namespace tonlira {

// The box of a file that cannot be rendered: its title, and its text before
// the path.
inline constexpr const char* errorTitle = "Error";
inline constexpr const char* renderFailedText = "Rendering of following file failed: \r\n";

inline constexpr std::int64_t nsPerMediaUnit = 100;
inline constexpr std::int64_t mediaUnitsPerMs = 10'000;

class MediaObject {
public:
    MediaObject();
    ~MediaObject();
    MediaObject(const MediaObject&) = delete;
    MediaObject& operator=(const MediaObject&) = delete;

    // Takes `path` for this entry: its length from the header, or else from
    // a preroll of its pipeline. True when the file has sound and every
    // stream of it found a decoder, as far as known now. A file without
    // decodable sound plays nothing; a partly decoded file plays what it can.
    bool load(const std::string& path);

    MediaStatus run();
    MediaStatus pause();
    MediaStatus stop();
    MediaStatus seek(std::int64_t units);
    std::int64_t lengthUnits() const { return lengthUnits_; }
    std::int64_t positionUnits() const;

    // Kept by the object and given to the audio chain whenever the pipeline
    // leaves idle, so a start is at this volume from its first buffer.
    void setVolume(double factor);
    double volume() const;

    MediaState state() const;
    MediaTags tags() const;

    // True once the file has played to its end, or failed while playing.
    // Never blocks.
    bool takeCompletion();
    // The failure was the sound output's, not the file's (until the next stop).
    bool outputFailed() const;

private:
    enum class Mode { Idle, Paused, Playing };

    bool createPipeline();
    void dropPipeline();
    // Waits until a pipeline handed to the settler after loading is in NULL.
    void awaitIdle();
    bool build(const std::string& path);
    bool preroll();
    bool loadByPreroll(const std::string& path);
    // Builds and prerolls the pipeline of an entry loaded from its header.
    MediaStatus firstUse(GstState target);
    std::int64_t measureLength(const std::string& path) const;
    MediaStatus leaveIdle(GstState target);
    MediaStatus changeState(GstState target);
    bool seekNow(std::int64_t units);
    bool awaitSettled();

    // Declared before the pipeline, so the pipeline (and with it every
    // streaming thread) is gone before the objects it calls back into.
    std::unique_ptr<StreamLinks> links_;
    std::unique_ptr<BusWatch> watch_;
    gst::PipelinePtr pipeline_;
    GstElement* decodebin_ = nullptr;  // owned by the pipeline
    Mode mode_ = Mode::Idle;
    bool playable_ = false;
    // Loaded from its header; no pipeline yet.
    bool unbuilt_ = false;
    // An end the pipeline cannot report itself (nothing to play, a start
    // that failed at once, a seek to the very end that was refused).
    bool completionPending_ = false;
    std::int64_t lengthUnits_ = 0;
    std::string path_;  // the file the pipeline reads, or will read
    // Where an idle entry starts when it next leaves idle.
    std::int64_t keptUnits_ = 0;
    double volume_ = 1.0;
    // Ready once the pipeline has come to rest after loading.
    std::future<void> settling_;
};

}  // namespace tonlira
