#include "media/MediaObject.h"

#include "media/AudioHeader.h"
#include "media/AudioOutput.h"
#include "media/MpegAudioLength.h"
#include "media/PipelineSettler.h"
#include "platform/FileSystem.h"
#include "platform/GuiThread.h"
#include "platform/Requester.h"

#include <algorithm>
#include <chrono>
#include <string_view>

namespace tonlira {
namespace {

// Longest wait for a file to preroll (typefinding, autoplugging, the first
// decoded buffer). Local files take a few milliseconds.
constexpr GstClockTime prerollTimeout = 5 * GST_SECOND;

// Slice in which a wait for a state change looks for failures.
constexpr GstClockTime settleSlice = 10 * GST_MSECOND;

// The stop position of a seek stays where it is (the value is ignored).
constexpr gint64 unchangedStop = -1;

constexpr auto seekFlags = static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE);

// The container type decodebin found for the file, e.g. "audio/mpeg".
std::string detectedType(GstElement* decodebin) {
    const gst::ElementPtr typefind(gst_bin_get_by_name(GST_BIN(decodebin), "typefind"));
    if (!typefind) {
        return {};
    }
    GstCaps* raw = nullptr;
    g_object_get(typefind.get(), "caps", &raw, nullptr);
    const gst::CapsPtr caps(raw);
    if (!caps || gst_caps_is_empty(caps.get())) {
        return {};
    }
    return gst_structure_get_name(gst_caps_get_structure(caps.get(), 0));
}

bool isMpegAudioType(std::string_view type) {
    // mp3 files usually start with an ID3v2 tag, which typefinding reports
    // instead of the audio behind it.
    return type == "audio/mpeg" || type == "application/x-id3" || type == "application/x-apetag";
}

}  // namespace

MediaObject::MediaObject() = default;

MediaObject::~MediaObject() { awaitIdle(); }

void MediaObject::awaitIdle() {
    if (settling_.valid()) {
        settling_.get();
    }
}

bool MediaObject::createPipeline() {
    pipeline_ = gst::newPipeline();
    if (!pipeline_) {
        return false;
    }
    watch_ = std::make_unique<BusWatch>(pipeline_.get());
    links_ = std::make_unique<StreamLinks>(pipeline_.get());
    links_->setVolume(volume_);
    return true;
}

void MediaObject::dropPipeline() {
    awaitIdle();
    pipeline_.reset();
    watch_.reset();
    links_.reset();
    decodebin_ = nullptr;
}

bool MediaObject::build(const std::string& path) {
    awaitIdle();
    if (decodebin_ != nullptr) {
        // Loaded before: start over with a fresh pipeline.
        dropPipeline();
        if (!createPipeline()) {
            return false;
        }
    }
    const gst::ElementPtr source = gst::adoptFloating(gst_element_factory_make("filesrc", nullptr));
    const gst::ElementPtr decodebin = gst::adoptFloating(gst_element_factory_make("decodebin", nullptr));
    if (!source || !decodebin) {
        return false;
    }
    g_object_set(source.get(), "location", path.c_str(), nullptr);
    path_ = path;
    GstBin* bin = GST_BIN(pipeline_.get());
    if (!gst_bin_add(bin, source.get()) || !gst_bin_add(bin, decodebin.get()) ||
        !gst_element_link(source.get(), decodebin.get())) {
        return false;
    }
    decodebin_ = decodebin.get();
    links_->watch(decodebin_);
    return true;
}

bool MediaObject::preroll() {
    watch_->reset();
    switch (gst_element_set_state(pipeline_.get(), GST_STATE_PAUSED)) {
    case GST_STATE_CHANGE_FAILURE: return false;
    case GST_STATE_CHANGE_ASYNC: return watch_->awaitPreroll(std::chrono::nanoseconds(prerollTimeout));
    default: return !watch_->failed();
    }
}

bool MediaObject::load(const std::string& path) {
    dropPipeline();
    mode_ = Mode::Idle;
    completionPending_ = false;
    keptUnits_ = 0;
    path_ = path;
    const auto header = readAudioHeader(path);
    unbuilt_ = header && decodersAvailable(*header);
    if (unbuilt_) {
        playable_ = true;
        lengthUnits_ = header->lengthNs / nsPerMediaUnit;
        return true;
    }
    return loadByPreroll(path);
}

bool MediaObject::loadByPreroll(const std::string& path) {
    playable_ = false;
    lengthUnits_ = 0;
    if (!pipeline_ && !createPipeline()) {
        return false;
    }
    if (!build(path)) {
        dropPipeline();
        return false;
    }
    const bool prerolled = preroll();
    if (prerolled) {
        lengthUnits_ = measureLength(path);
    }
    // A file without sound (a picture, a video without an audio track, a
    // header with no samples behind it) has nothing for this player to play.
    // A known length vouches for the sound, however the preroll ended.
    const bool sound = links_->hasAudio() && (lengthUnits_ > 0 || links_->soundArrived());
    const bool rendered = prerolled && sound && watch_->missingDecoders() == 0 && links_->failedStreams() == 0;
    watch_->reset();

    playable_ = sound;
    if (!playable_) {
        // Nothing to play: give the pipeline back now.
        lengthUnits_ = 0;
        dropPipeline();
    } else {
        settling_ = settleToNull(pipeline_.get());
    }
    return rendered;
}

std::int64_t MediaObject::measureLength(const std::string& path) const {
    gint64 ns = 0;
    if (gst_element_query_duration(pipeline_.get(), GST_FORMAT_TIME, &ns) && ns > 0) {
        return ns / nsPerMediaUnit;
    }
    // mp3 without a VBR header: GStreamer only knows the length after
    // playing the file, so count its frames instead.
    if (isMpegAudioType(detectedType(decodebin_))) {
        if (const auto measured = mpegAudioDurationNs(path)) {
            return *measured / nsPerMediaUnit;
        }
    }
    return 0;
}

MediaStatus MediaObject::changeState(GstState target) {
    mode_ = target == GST_STATE_PLAYING ? Mode::Playing : Mode::Paused;
    if (gst_element_set_state(pipeline_.get(), target) == GST_STATE_CHANGE_FAILURE) {
        // The file went away or broke since it was loaded: let the caller
        // move on as if it had ended.
        completionPending_ = true;
        return mediaFailed;
    }
    return mediaOk;
}

bool MediaObject::awaitSettled() {
    // A pipeline whose streaming thread failed never settles, so look out
    // for the failure while waiting.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::nanoseconds(prerollTimeout);
    while (true) {
        const GstStateChangeReturn state = gst_element_get_state(pipeline_.get(), nullptr, nullptr, settleSlice);
        if (state != GST_STATE_CHANGE_ASYNC) {
            return state != GST_STATE_CHANGE_FAILURE;
        }
        if (watch_->failed()) {
            return false;  // reported by isMediaComplete
        }
        if (std::chrono::steady_clock::now() > deadline) {
            completionPending_ = true;
            return false;
        }
    }
}

MediaStatus MediaObject::firstUse(GstState target) {
    unbuilt_ = false;
    // Checked before anything opens it: it may have been replaced by
    // something that must not be opened since it was added.
    const bool built = fileKindOf(path_) == FileKind::Regular && createPipeline() && build(path_);
    bool rendered = false;
    if (built) {
        links_->attachOutput();
        rendered = preroll() && links_->hasAudio();
        rendered = rendered && watch_->missingDecoders() == 0 && links_->failedStreams() == 0;
    }
    if (!rendered) {
        // The header promised more than the file holds: the same box as a
        // file that fails when it is added, shown once the caller is done.
        postToGuiThread([text = renderFailedText + path_] { showMessage(errorTitle, text); });
    }
    if (!built || !links_->hasAudio() || watch_->failed()) {
        dropPipeline();
        playable_ = false;
        lengthUnits_ = 0;
        completionPending_ = true;
        return mediaFailed;
    }
    mode_ = Mode::Paused;
    if (keptUnits_ > 0 && !seekNow(keptUnits_)) {
        completionPending_ = true;
        return mediaFailed;
    }
    return target == GST_STATE_PAUSED ? mediaOk : changeState(target);
}

MediaStatus MediaObject::leaveIdle(GstState target) {
    if (unbuilt_) {
        return firstUse(target);
    }
    awaitIdle();
    if (fileKindOf(path_) != FileKind::Regular) {
        // Replaced by something that must not be opened since it was loaded.
        completionPending_ = true;
        return mediaFailed;
    }
    links_->attachOutput();
    links_->setVolume(volume_);
    if (keptUnits_ == 0) {
        // Straight from NULL to the target: the fastest start.
        return changeState(target);
    }
    // A position was kept while idle: preroll, seek there, then go on.
    if (changeState(GST_STATE_PAUSED) != mediaOk || !awaitSettled()) {
        return mediaFailed;
    }
    if (!seekNow(keptUnits_)) {
        completionPending_ = true;
        return mediaFailed;
    }
    return target == GST_STATE_PAUSED ? mediaOk : changeState(target);
}

MediaStatus MediaObject::run() {
    if (!playable_) {
        // Nothing of the file plays; report it as ended so a playlist goes on.
        completionPending_ = true;
        return mediaFailed;
    }
    switch (mode_) {
    case Mode::Playing: return mediaOk;
    case Mode::Paused:
        // Straight on to PLAYING, the sink would hold the sound back for as
        // long as the pause lasted: its clock kept running while the
        // pipeline's running time stood still. Starting afresh from the
        // position re-bases the running time; it takes a few milliseconds.
        stop();
        break;
    case Mode::Idle: break;
    }
    const MediaStatus started = leaveIdle(GST_STATE_PLAYING);
    if (started == mediaOk && !watch_->outputFailed()) {
        noteAudioOutputLost(false);  // the output took this entry: it is back
    }
    return started;
}

MediaStatus MediaObject::pause() {
    if (!playable_) {
        return mediaFailed;
    }
    switch (mode_) {
    case Mode::Paused: return mediaOk;
    case Mode::Playing: return changeState(GST_STATE_PAUSED);
    case Mode::Idle: break;
    }
    return leaveIdle(GST_STATE_PAUSED);
}

MediaStatus MediaObject::stop() {
    completionPending_ = false;
    if (mode_ == Mode::Idle) {
        return mediaOk;
    }
    keptUnits_ = positionUnits();
    gst_element_set_state(pipeline_.get(), GST_STATE_NULL);
    watch_->reset();  // an end not yet asked for is spent
    mode_ = Mode::Idle;
    return mediaOk;
}

std::int64_t MediaObject::positionUnits() const {
    if (mode_ == Mode::Idle) {
        return keptUnits_;
    }
    gint64 ns = 0;
    if (gst_element_query_position(pipeline_.get(), GST_FORMAT_TIME, &ns) && ns >= 0) {
        return ns / nsPerMediaUnit;
    }
    return keptUnits_;
}

bool MediaObject::seekNow(std::int64_t units) {
    return gst_element_seek(pipeline_.get(), 1.0, GST_FORMAT_TIME, seekFlags, GST_SEEK_TYPE_SET,
                            units * nsPerMediaUnit, GST_SEEK_TYPE_NONE, unchangedStop);
}

MediaStatus MediaObject::seek(std::int64_t units) {
    if (!playable_) {
        return mediaFailed;
    }
    units = std::max<std::int64_t>(units, 0);
    if (lengthUnits_ > 0) {
        // Past the end means at the end: the track ends at once when it plays.
        units = std::min(units, lengthUnits_);
    }
    keptUnits_ = units;
    if (mode_ == Mode::Idle) {
        return mediaOk;  // applied when the entry next leaves idle
    }
    // A seek needs a settled pipeline, e.g. just after a start from NULL.
    if (!awaitSettled()) {
        return mediaFailed;
    }
    if (!seekNow(units)) {
        if (units == lengthUnits_) {
            completionPending_ = true;
        }
        return mediaFailed;
    }
    return mediaOk;
}

void MediaObject::setVolume(double factor) {
    volume_ = factor;
    if (links_) {
        links_->setVolume(factor);
    }
}

double MediaObject::volume() const { return links_ ? links_->volume() : volume_; }

MediaTags MediaObject::tags() const { return watch_ ? watch_->tags() : MediaTags{}; }

MediaState MediaObject::state() const {
    switch (mode_) {
    case Mode::Idle: break;
    case Mode::Paused: return MediaState::Paused;
    case Mode::Playing:
        // Ended (or failed) but not yet stopped: nothing sounds any more.
        if (!completionPending_ && !(watch_ && watch_->ended())) {
            return MediaState::Running;
        }
        break;
    }
    return MediaState::Stopped;
}

bool MediaObject::outputFailed() const { return watch_ && watch_->outputFailed(); }

bool MediaObject::takeCompletion() {
    if (completionPending_) {
        completionPending_ = false;
        if (watch_) {
            watch_->takeEnd();  // the same end, if the pipeline saw it too
        }
        return true;
    }
    return mode_ != Mode::Idle && watch_ && watch_->takeEnd();
}

}  // namespace tonlira
