#pragma once
// The media engine: one GStreamer pipeline per audio file. A file entering
// the playlist is judged by its header (length, and a decoder in the
// registry) and stays a small record; its pipeline is built when it is first
// played or paused, and kept for the entry's life. A file whose header tells
// nothing is prerolled when it is added instead. Every operation is a
// plain function on a handle; a null handle means "no media" and every
// operation accepts it.
//
// Units: times are milliseconds outside the engine (signed 32-bit results,
// signed 64-bit seek targets) and 100-ns units inside; the volume is whole
// decibels of attenuation (-84 .. 0).
//
// Threading: createMedia, loadMedia, freeMedia and probe run on the GUI
// thread and on the folder loader's worker thread. One MediaObject is used by
// one thread at a time (the playlist serialises that); different objects may
// be used on different threads at once. No Qt object is touched from a
// GStreamer streaming thread.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace tonlira {

class MediaObject;

// Frees the pipeline behind the handle like freeMedia does, so a handle that
// is simply dropped does not leak.
struct MediaObjectDeleter {
    void operator()(MediaObject* media) const;
};

// The owning handle; null means no media.
using MediaPtr = std::unique_ptr<MediaObject, MediaObjectDeleter>;
// 0 = success, negative = failure; 0 for a null handle.
using MediaStatus = long;
// Owner window handle, 0 for none.
using NativeWindow = std::uintptr_t;

// Video renderer choices of loadMedia. This player shows no pictures: with
// every choice (None included, which stands for the default rendering) a
// video stream goes to a sink that discards it in step with the sound, so a
// file with a video stream still counts as rendered. The owner window is
// not used for the same reason.
enum class VideoRenderer : int {
    None = 0,
    MixingRenderer9Windowed = 1,
    MixingRenderer9Windowless = 2,
    MixingRendererWindowed = 3,
    MixingRendererWindowless = 4,
    LegacyRenderer = 5,
    OverlayMixer = 6,
};

// Audio renderer choice that names the configured audio output. Any other
// value also plays through the configured output; only with this one does
// loadMedia report an output that cannot be built.
inline constexpr int audioRendererWaveOut = 7;

// Engine status codes returned through MediaStatus.
inline constexpr MediaStatus mediaOk = 0;
inline constexpr MediaStatus mediaFailed = -1;

// Volume range accepted by setMediaVolume, in whole decibels.
inline constexpr std::int32_t minimumVolumeDb = -84;
inline constexpr std::int32_t maximumVolumeDb = 0;

// Sets up GStreamer (once), raises the open-file limit so that thousands of
// idle entries fit, and builds one throw-away pipeline so the plugins every
// entry needs (source, decodebin, the audio chain, the output) are loaded
// now rather than at the first play. A format's own plugins are loaded when
// the first file of that format is loaded. Returns false when GStreamer
// cannot be used at all.
bool initialiseMediaEngine();
// The same on a thread of its own (once; later calls do nothing), so the
// window is built meanwhile; every call that needs GStreamer waits for its
// set-up.
void startMediaEngine();

// The audio output as a gst-launch description, e.g. "autoaudiosink"
// (default) or "fakesink sync=true". Applies to pipelines built afterwards.
void setAudioOutput(std::string description);
std::string audioOutput();

MediaPtr createMedia();
// 1 when every stream of the file was rendered (as far as its header tells),
// 0 otherwise (a box has then been shown). The handle stays usable either
// way. A file that passed its header but fails at its first start gets the
// same box then, posted to the GUI thread.
int loadMedia(MediaObject* media, const std::string& path, NativeWindow owner, int videoRenderer, int audioRenderer);
// 1 when an object was freed (and `media` reset), 0 for a null handle.
int freeMedia(MediaPtr& media);

// A loaded entry rests idle (no threads, no sound-server stream); run and
// pause bring it up, stop returns it to rest and keeps its position. Running
// an entry of which nothing could be decoded fails, and the next
// isMediaComplete reports it as ended.
MediaStatus runMedia(MediaObject* media);
MediaStatus pauseMedia(MediaObject* media);
MediaStatus stopMedia(MediaObject* media);
// Every start of an entry: the volume first (without the pause of
// setMediaVolume), then runMedia, so not one buffer of the entry reaches the
// sound server louder than asked. The volume is kept by the entry, also
// while it rests, and given to its pipeline whenever that starts.
MediaStatus runMediaAtVolume(MediaObject* media, std::int32_t attenuationDb);
// pauseMedia likewise: what is prerolled already carries the volume.
MediaStatus pauseMediaAtVolume(MediaObject* media, std::int32_t attenuationDb);

// What a listener gets from an entry: nothing (at rest, ended or failed to
// start), a paused pipeline, or a running one.
enum class MediaState : std::uint8_t { Stopped, Paused, Running };
MediaState getMediaState(MediaObject* media);
// Found when the file is loaded; 0 when nothing of it could be decoded.
std::int32_t getMediaLength(MediaObject* media);
// For a stopped entry: where it starts when it next plays.
std::int32_t getMediaPosition(MediaObject* media);
// Below 0 seeks to 0; past the end to the end, so the track ends as soon as
// it plays. On a stopped entry the target is kept for its next start.
MediaStatus seekMedia(MediaObject* media, std::int64_t targetMs);
// Accepts -84 .. 0 dB; every accepted call first pauses the caller for 10 ms.
// Always returns 0.
int setMediaVolume(MediaObject* media, std::int32_t attenuationDb);
// setMediaVolume without its 10 ms pause, for a caller that must not pause
// while it holds a lock.
int setMediaVolumeUnpaused(MediaObject* media, std::int32_t attenuationDb);
// 1 once when the file has played to its end, or failed while playing;
// never blocks. Stopping discards an end not yet asked for.
int isMediaComplete(MediaObject* media);
// True when what isMediaComplete reported was the loss of the sound output
// (the sound server went away, or is still away after such a loss), not the
// end of the file: nothing can sound until the output is back. Cleared when
// the entry is stopped.
bool mediaOutputFailed(MediaObject* media);

// What the file's tags say, as far as GStreamer has reported them (while
// the entry prerolls or plays); empty texts for tags the file lacks.
struct MediaTags {
    std::string title;
    std::string artist;
    std::string album;
};
MediaTags getMediaTags(MediaObject* media);

// Called on a GStreamer thread whenever a playing entry ends or fails, so a
// caller that sleeps between its polls of isMediaComplete wakes up in time.
// Must be quick and thread-safe. Set it before entries play.
void setMediaEndWaker(std::function<void()> wake);

// Milliseconds as "MM:SS", without an hour field.
std::string formatTime(std::int32_t ms);

struct ProbeResult {
    MediaPtr media;
    std::int32_t lengthMs = 0;
};
// Prepares one file for the playlist: createMedia, loadMedia with the
// windowed mixing renderer and the wave-out choice, getMediaLength.
ProbeResult probe(const std::string& path, NativeWindow owner);

}  // namespace tonlira
