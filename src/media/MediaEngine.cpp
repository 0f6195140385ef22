#include "media/MediaEngine.h"

#include "media/AudioOutput.h"
#include "media/BusWatch.h"
#include "media/MediaObject.h"
#include "media/WarmUpWorker.h"
#include "platform/FileSystem.h"
#include "platform/Requester.h"

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <mutex>
#include <new>
#include <thread>

namespace tonlira {
namespace {

constexpr const char* fatalErrorTitle = "Fatal Error";
constexpr const char* allocationFailedText = "Memory allocation While initializing media failed";
constexpr const char* nullHandleText = "The given handle of the media object hasn't been initialized!";
constexpr const char* audioRendererFailedText = "Couldn't Create Instance of individual audio renderer";

// Volume: the engine takes whole decibels; GStreamer's volume element a
// linear factor, 10^(hundredths / 2000).
constexpr std::int32_t hundredthsPerDb = 100;
constexpr double hundredthsPerDecade = 2000.0;
// Every accepted volume call first pauses its caller; the main loop relies
// on it for its pace.
constexpr auto volumePause = std::chrono::milliseconds(10);

constexpr std::int32_t msPerSecond = 1000;
constexpr std::int32_t secondsPerMinute = 60;
constexpr std::int32_t minutesShown = 60;  // no hour field: minutes wrap

bool ensureGstreamer() {
    static std::once_flag once;
    static bool ready = false;
    std::call_once(once, [] { ready = gst_init_check(nullptr, nullptr, nullptr); });
    return ready;
}

void raiseOpenFileLimit() {
    // Idle entries hold no descriptors, but playing ones, the sound server
    // and the toolkit do; the usual soft limit of 1024 is tight for a large
    // playlist on the move.
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        setrlimit(RLIMIT_NOFILE, &limit);
    }
}

// Loads the plugins every entry needs (source, typefinding, decodebin, the
// audio chain and the output) by building one throw-away pipeline.
void warmUpPlugins() {
    const gst::PipelinePtr pipeline = gst::newPipeline();
    if (!pipeline) {
        return;
    }
    for (const char* factory :
         {"filesrc", "decodebin", "typefind", "audioconvert", "audioresample", "volume", "fakesink"}) {
        if (const gst::ElementPtr element = gst::adoptFloating(gst_element_factory_make(factory, nullptr))) {
            gst_bin_add(GST_BIN(pipeline.get()), element.get());
        }
    }
    if (gst::ElementPtr output = makeAudioOutput()) {
        gst_bin_add(GST_BIN(pipeline.get()), output.get());
    }
    gst_element_set_state(pipeline.get(), GST_STATE_READY);
}

std::int32_t unitsToMs(std::int64_t units) {
    // Truncating division, then the low 32 bits.
    return static_cast<std::int32_t>(units / mediaUnitsPerMs);
}

std::string twoDigits(std::int32_t value) {
    std::string digits = std::to_string(value);
    if (digits.size() < 2) {
        digits.insert(0, 2 - digits.size(), '0');
    }
    return digits.substr(0, 2);
}

}  // namespace

namespace {

std::mutex wakerMutex;
std::function<void()> endWaker;

}  // namespace

void setMediaEndWaker(std::function<void()> wake) {
    std::lock_guard lock(wakerMutex);
    endWaker = std::move(wake);
}

void wakeOnMediaEnd() {
    std::lock_guard lock(wakerMutex);
    if (endWaker) {
        endWaker();
    }
}

void MediaObjectDeleter::operator()(MediaObject* media) const { delete media; }

bool initialiseMediaEngine() {
    if (!ensureGstreamer()) {
        return false;
    }
    raiseOpenFileLimit();
    warmUpPlugins();
    return true;
}

void startMediaEngine() {
    static std::once_flag once;
    std::call_once(once, [] { WarmUpWorker::instance().post([] { initialiseMediaEngine(); }); });
}

MediaPtr createMedia() {
    if (!ensureGstreamer()) {
        return nullptr;
    }
    MediaPtr media(new (std::nothrow) MediaObject);
    if (!media) {
        showMessage(errorTitle, allocationFailedText);
        return nullptr;
    }
    return media;
}

int loadMedia(MediaObject* media, const std::string& path, NativeWindow /*owner*/, int /*videoRenderer*/,
              int audioRenderer) {
    // There is no video window here: every video renderer choice, and the
    // owner window it would be placed in, ends in a sink that discards the
    // pictures, so a file with a video stream still counts as rendered.
    if (media == nullptr) {
        showMessage(fatalErrorTitle, nullHandleText);
        return 0;
    }
    if (audioRenderer == audioRendererWaveOut && !audioOutputUsable()) {
        // The configured output cannot be built; entries fall back to the
        // default output when they play.
        showMessage(errorTitle, audioRendererFailedText);
    }
    // Nothing but a regular file is opened: a FIFO, a socket, a device or a
    // folder fails at once instead of blocking the loading thread.
    if (fileKindOf(path) != FileKind::Regular || !media->load(path)) {
        showMessage(errorTitle, renderFailedText + path);
        return 0;
    }
    return 1;
}

int freeMedia(MediaPtr& media) {
    if (!media) {
        return 0;
    }
    media.reset();  // sets the pipeline to NULL, which stops it, then frees it
    return 1;
}

MediaStatus runMedia(MediaObject* media) { return media != nullptr ? media->run() : mediaOk; }

MediaStatus pauseMedia(MediaObject* media) { return media != nullptr ? media->pause() : mediaOk; }

MediaStatus stopMedia(MediaObject* media) { return media != nullptr ? media->stop() : mediaOk; }

MediaStatus runMediaAtVolume(MediaObject* media, std::int32_t attenuationDb) {
    setMediaVolumeUnpaused(media, attenuationDb);
    return runMedia(media);
}

MediaStatus pauseMediaAtVolume(MediaObject* media, std::int32_t attenuationDb) {
    setMediaVolumeUnpaused(media, attenuationDb);
    return pauseMedia(media);
}

MediaTags getMediaTags(MediaObject* media) { return media != nullptr ? media->tags() : MediaTags{}; }

MediaState getMediaState(MediaObject* media) { return media != nullptr ? media->state() : MediaState::Stopped; }

std::int32_t getMediaLength(MediaObject* media) { return media != nullptr ? unitsToMs(media->lengthUnits()) : 0; }

std::int32_t getMediaPosition(MediaObject* media) { return media != nullptr ? unitsToMs(media->positionUnits()) : 0; }

MediaStatus seekMedia(MediaObject* media, std::int64_t targetMs) {
    if (media == nullptr) {
        return mediaOk;
    }
    // Targets beyond any real length saturate instead of overflowing on
    // their way to nanoseconds; below zero is handled as zero anyway.
    constexpr std::int64_t farthestMs = std::numeric_limits<std::int64_t>::max() / mediaUnitsPerMs / nsPerMediaUnit;
    return media->seek(std::clamp(targetMs, -farthestMs, farthestMs) * mediaUnitsPerMs);
}

int setMediaVolume(MediaObject* media, std::int32_t attenuationDb) {
    if (media == nullptr || attenuationDb < minimumVolumeDb || attenuationDb > maximumVolumeDb) {
        return 0;
    }
    std::this_thread::sleep_for(volumePause);
    return setMediaVolumeUnpaused(media, attenuationDb);
}

int setMediaVolumeUnpaused(MediaObject* media, std::int32_t attenuationDb) {
    if (media == nullptr || attenuationDb < minimumVolumeDb || attenuationDb > maximumVolumeDb) {
        return 0;
    }
    const std::int32_t hundredths = attenuationDb * hundredthsPerDb;
    media->setVolume(std::pow(10.0, hundredths / hundredthsPerDecade));
    return 0;
}

int isMediaComplete(MediaObject* media) { return media != nullptr && media->takeCompletion() ? 1 : 0; }

bool mediaOutputFailed(MediaObject* media) { return media != nullptr && media->outputFailed(); }

std::string formatTime(std::int32_t ms) {
    // Negative times never occur; they read as zero.
    const std::int32_t totalSeconds = std::max(ms, 0) / msPerSecond;
    const std::int32_t seconds = totalSeconds % secondsPerMinute;
    const std::int32_t minutes = totalSeconds / secondsPerMinute % minutesShown;
    return twoDigits(minutes) + ":" + twoDigits(seconds);
}

ProbeResult probe(const std::string& path, NativeWindow owner) {
    ProbeResult result;
    result.media = createMedia();
    loadMedia(result.media.get(), path, owner, static_cast<int>(VideoRenderer::MixingRenderer9Windowed),
              audioRendererWaveOut);
    result.lengthMs = getMediaLength(result.media.get());
    return result;
}

}  // namespace tonlira
