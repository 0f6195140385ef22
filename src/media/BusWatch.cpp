#include "media/BusWatch.h"

#include <utility>

namespace tonlira {
namespace {

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

}  // namespace

BusWatch::BusWatch(GstElement* pipeline) : pipeline_(pipeline) {
    bus_.reset(static_cast<GstBus*>(gst_object_ref_sink(g_object_new(GST_TYPE_BUS, "enable-async", FALSE, nullptr))));
    gst_bus_set_sync_handler(bus_.get(), &BusWatch::onMessage, this, nullptr);
    gst_element_set_bus(pipeline_, bus_.get());
}

BusWatch::~BusWatch() { gst_bus_set_sync_handler(bus_.get(), nullptr, nullptr, nullptr); }

GstBusSyncReply BusWatch::onMessage(GstBus*, GstMessage* message, gpointer self) {
    // A bus without a queue drops every message; the handler owns it.
    const gst::MessagePtr owned(message);
    static_cast<BusWatch*>(self)->record(owned.get());
    return GST_BUS_DROP;
}

void BusWatch::record(GstMessage* message) {
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
        failed_ = true;
        ended_ = true;
        break;
    case GST_MESSAGE_EOS:
        ended_ = true;
        break;
    case GST_MESSAGE_ELEMENT:
        if (isMissingPlugin(message)) {
            ++missingDecoders_;
        }
        return;
    default:
        return;
    }
    changed_.notify_all();
}

void BusWatch::reset() {
    std::lock_guard lock(mutex_);
    prerolled_ = false;
    ended_ = false;
    failed_ = false;
    missingDecoders_ = 0;
}

bool BusWatch::awaitPreroll(std::chrono::nanoseconds limit) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, limit, [this] { return prerolled_ || failed_; });
    return prerolled_ && !failed_;
}

int BusWatch::missingDecoders() const {
    std::lock_guard lock(mutex_);
    return missingDecoders_;
}

bool BusWatch::failed() const {
    std::lock_guard lock(mutex_);
    return failed_;
}

bool BusWatch::takeEnd() {
    std::lock_guard lock(mutex_);
    return std::exchange(ended_, false);
}

bool BusWatch::ended() const {
    std::lock_guard lock(mutex_);
    return ended_;
}

}  // namespace tonlira
