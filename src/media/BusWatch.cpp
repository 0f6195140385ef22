#include "media/BusWatch.h"

#include "media/AudioOutput.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace tonlira {
namespace {

using Clock = std::chrono::steady_clock;

// decodebin removes an element whose error it swallowed on purpose (a
// candidate decoder that failed its trial) at once; one that is still
// plugged in this long after its error has failed for good.
constexpr auto swallowGrace = std::chrono::milliseconds(20);
// How often a wait looks again at an error the bus has not reported.
constexpr auto swallowCheck = std::chrono::milliseconds(5);

enum class Plugged { Removed, Settling, Settled };

// Whether `element` is still inside a bin and has settled in a running
// state, i.e. decodebin kept it.
Plugged pluggedState(GstElement* element) {
    GST_OBJECT_LOCK(element);
    const bool parented = GST_OBJECT_PARENT(element) != nullptr;
    const GstState state = GST_STATE(element);
    const GstState pending = GST_STATE_PENDING(element);
    GST_OBJECT_UNLOCK(element);
    if (!parented) {
        return Plugged::Removed;
    }
    return state >= GST_STATE_PAUSED && pending == GST_STATE_VOID_PENDING ? Plugged::Settled : Plugged::Settling;
}

bool isMissingPlugin(GstMessage* message) {
    const GstStructure* structure = gst_message_get_structure(message);
    return structure != nullptr && gst_structure_has_name(structure, "missing-plugin");
}

bool isMissingPluginError(GstMessage* message) {
    GError* raw = nullptr;
    gst_message_parse_error(message, &raw, nullptr);
    const gst::ErrorPtr error(raw);
    return error && g_error_matches(error.get(), GST_CORE_ERROR, GST_CORE_ERROR_MISSING_PLUGIN);
}

// Sets `field` from the tag `name` of `tags` when the tag is there.
void takeTag(const GstTagList* tags, const char* name, std::string& field) {
    gchar* raw = nullptr;
    if (gst_tag_list_get_string(tags, name, &raw)) {
        const gst::CharPtr text(raw);
        if (text && *text != '\0') {
            field = text.get();
        }
    }
}

}  // namespace

BusWatch::BusWatch(GstElement* pipeline) : pipeline_(pipeline) {
    bus_.reset(static_cast<GstBus*>(gst_object_ref_sink(g_object_new(GST_TYPE_BUS, "enable-async", FALSE, nullptr))));
    gst_bus_set_sync_handler(bus_.get(), &BusWatch::onMessage, this, nullptr);
    gst_element_set_bus(pipeline_, bus_.get());
    listenForErrors(pipeline_, this);
}

BusWatch::~BusWatch() {
    stopListening(pipeline_, this);
    gst_bus_set_sync_handler(bus_.get(), nullptr, nullptr, nullptr);
}

GstBusSyncReply BusWatch::onMessage(GstBus*, GstMessage* message, gpointer self) {
    // A bus without a queue drops every message; the handler owns it.
    const gst::MessagePtr owned(message);
    static_cast<BusWatch*>(self)->record(owned.get());
    return GST_BUS_DROP;
}

bool BusWatch::fromOutput(GstMessage* message) const {
    GstObject* source = GST_MESSAGE_SRC(message);
    if (source == nullptr || source == GST_OBJECT(pipeline_) || !GST_IS_ELEMENT(source) ||
        !GST_OBJECT_FLAG_IS_SET(source, GST_ELEMENT_FLAG_SINK)) {
        return false;
    }
    return std::string_view(G_OBJECT_TYPE_NAME(source)) != "GstFakeSink";
}

void BusWatch::record(GstMessage* message) {
    const GstMessageType type = GST_MESSAGE_TYPE(message);
    const bool output = fromOutput(message);
    recordLocked(message, output);
    // The end, a failure, or the output's warning that may end playback.
    if (type == GST_MESSAGE_EOS || type == GST_MESSAGE_ERROR || (type == GST_MESSAGE_WARNING && output)) {
        wakeOnMediaEnd();
    }
}

void BusWatch::recordLocked(GstMessage* message, bool output) {
    std::lock_guard lock(mutex_);
    switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_ASYNC_DONE:
        if (GST_MESSAGE_SRC(message) == GST_OBJECT(pipeline_)) {
            prerolled_ = true;
        }
        break;
    case GST_MESSAGE_ERROR:
        if (isMissingPluginError(message)) {
            ++missingDecoders_;
        }
        if (output) {
            outputFailed_ = true;
            noteAudioOutputLost(true);
        }
        failed_ = true;
        ended_ = true;
        break;
    case GST_MESSAGE_WARNING:
        // The default output warns when it has to fall back to silence
        // because its device cannot be reached; after a loss that means the
        // sound server is still away.
        if (!output || !audioOutputLost()) {
            return;
        }
        outputFailed_ = true;
        failed_ = true;
        ended_ = true;
        break;
    case GST_MESSAGE_EOS: ended_ = true; break;
    case GST_MESSAGE_TAG: {
        GstTagList* raw = nullptr;
        gst_message_parse_tag(message, &raw);
        const gst::TagListPtr tags(raw);
        if (tags) {
            takeTag(tags.get(), GST_TAG_TITLE, tags_.title);
            takeTag(tags.get(), GST_TAG_ARTIST, tags_.artist);
            takeTag(tags.get(), GST_TAG_ALBUM, tags_.album);
        }
        return;
    }
    case GST_MESSAGE_ELEMENT:
        if (isMissingPlugin(message)) {
            ++missingDecoders_;
        }
        return;
    default: return;
    }
    changed_.notify_all();
}

void BusWatch::onPostedError(GstElement* source) {
    if (source == pipeline_) {
        return;  // the bus reports the pipeline's own errors
    }
    std::lock_guard lock(mutex_);
    posted_.push_back({gst::ElementPtr(static_cast<GstElement*>(gst_object_ref(source))), Clock::now()});
    changed_.notify_all();
}

bool BusWatch::checkSwallowed() {
    std::vector<PostedError> due;
    {
        std::lock_guard lock(mutex_);
        if (failed_) {
            return true;
        }
        const auto ripe = std::partition(posted_.begin(), posted_.end(), [now = Clock::now()](const PostedError& e) {
            return now - e.when < swallowGrace;
        });
        std::move(ripe, posted_.end(), std::back_inserter(due));
        posted_.erase(ripe, posted_.end());
    }
    // Element states are read without the mutex: the posting thread may
    // hold an element's lock while it reports to us.
    bool swallowed = false;
    std::vector<PostedError> settling;
    for (PostedError& error : due) {
        switch (pluggedState(error.source.get())) {
        case Plugged::Settled: swallowed = true; break;
        case Plugged::Settling: settling.push_back(std::move(error)); break;
        case Plugged::Removed: break;  // a rejected candidate; decodebin went on without it
        }
    }
    std::lock_guard lock(mutex_);
    if (swallowed) {
        failed_ = true;
        ended_ = true;
        changed_.notify_all();
    } else {
        std::move(settling.begin(), settling.end(), std::back_inserter(posted_));
    }
    return failed_;
}

void BusWatch::reset() {
    std::lock_guard lock(mutex_);
    prerolled_ = false;
    ended_ = false;
    failed_ = false;
    outputFailed_ = false;
    missingDecoders_ = 0;
    posted_.clear();
}

bool BusWatch::awaitPreroll(std::chrono::nanoseconds limit) {
    const auto deadline = Clock::now() + limit;
    std::unique_lock lock(mutex_);
    while (!prerolled_ && !failed_ && Clock::now() < deadline) {
        if (posted_.empty()) {
            changed_.wait_until(lock, deadline);
            continue;
        }
        // An error the bus may never report: look again shortly.
        lock.unlock();
        const bool swallowed = checkSwallowed();
        lock.lock();
        if (swallowed) {
            break;
        }
        changed_.wait_for(lock, swallowCheck);
    }
    return prerolled_ && !failed_;
}

bool BusWatch::outputFailed() const {
    std::lock_guard lock(mutex_);
    return outputFailed_;
}

int BusWatch::missingDecoders() const {
    std::lock_guard lock(mutex_);
    return missingDecoders_;
}

bool BusWatch::failed() {
    {
        std::lock_guard lock(mutex_);
        if (failed_ || posted_.empty()) {
            return failed_;
        }
    }
    return checkSwallowed();
}

bool BusWatch::takeEnd() {
    failed();  // a swallowed error ends the stream too
    std::lock_guard lock(mutex_);
    return std::exchange(ended_, false);
}

MediaTags BusWatch::tags() const {
    std::lock_guard lock(mutex_);
    return tags_;
}

bool BusWatch::ended() {
    failed();
    std::lock_guard lock(mutex_);
    return ended_;
}

}  // namespace tonlira
