#include "media/StreamLinks.h"

#include "media/AudioOutput.h"

#include <string_view>

namespace tonlira {
namespace {

bool isAudio(GstPad* pad) {
    gst::CapsPtr caps(gst_pad_get_current_caps(pad));
    if (!caps) {
        caps.reset(gst_pad_query_caps(pad, nullptr));
    }
    if (!caps || gst_caps_is_empty(caps.get()) || gst_caps_is_any(caps.get())) {
        return false;
    }
    const std::string_view name = gst_structure_get_name(gst_caps_get_structure(caps.get(), 0));
    return name.starts_with("audio/");
}

bool linkToElement(GstPad* pad, GstElement* element) {
    const gst::PadPtr sinkPad(gst_element_get_static_pad(element, "sink"));
    return sinkPad && gst_pad_link(pad, sinkPad.get()) == GST_PAD_LINK_OK;
}

bool sinkPadLinked(GstElement* element) {
    const gst::PadPtr sinkPad(gst_element_get_static_pad(element, "sink"));
    return sinkPad && gst_pad_is_linked(sinkPad.get());
}

}  // namespace

StreamLinks::StreamLinks(GstElement* pipeline) : pipeline_(pipeline) {}

void StreamLinks::watch(GstElement* decodebin) {
    g_signal_connect(decodebin, "pad-added", G_CALLBACK(&StreamLinks::onPadAdded), this);
}

void StreamLinks::onPadAdded(GstElement*, GstPad* pad, gpointer self) { static_cast<StreamLinks*>(self)->link(pad); }

void StreamLinks::link(GstPad* pad) {
    const bool audio = isAudio(pad);
    std::lock_guard lock(mutex_);
    GstElement* target = nullptr;
    if (audio) {
        GstElement* entry = audioChainLocked();
        if (entry != nullptr && !sinkPadLinked(entry)) {
            target = entry;
        }
    }
    if (target == nullptr) {
        target = freeDiscardSinkLocked();
    }
    if (target != nullptr && linkToElement(pad, target)) {
        ++linked_;
    } else {
        ++failed_;
    }
}

GstElement* StreamLinks::addElementLocked(const char* factory) {
    return addElementLocked(gst::adoptFloating(gst_element_factory_make(factory, nullptr)));
}

GstElement* StreamLinks::addElementLocked(gst::ElementPtr element) {
    if (!element || !gst_bin_add(GST_BIN(pipeline_), element.get())) {
        return nullptr;
    }
    return element.get();  // the pipeline holds its own reference now
}

GstElement* StreamLinks::audioChainLocked() {
    if (audioEntry_ != nullptr) {
        return audioEntry_;
    }
    GstElement* convert = addElementLocked("audioconvert");
    GstElement* resample = addElementLocked("audioresample");
    GstElement* volume = addElementLocked("volume");
    // Until the entry is first played, its sound goes nowhere: loading only
    // prerolls, and must not open a stream on the sound server.
    GstElement* sink = outputAttached_ ? addElementLocked(makeAudioOutput()) : addElementLocked("fakesink");
    if (convert == nullptr || resample == nullptr || volume == nullptr || sink == nullptr ||
        !gst_element_link_many(convert, resample, volume, sink, nullptr)) {
        // A sink left behind unlinked would keep the pipeline from prerolling.
        for (GstElement* element : {convert, resample, volume, sink}) {
            if (element != nullptr) {
                gst_bin_remove(GST_BIN(pipeline_), element);
            }
        }
        return nullptr;
    }
    g_object_set(volume, "volume", volumeFactor_, nullptr);
    for (GstElement* element : {sink, volume, resample, convert}) {
        gst_element_sync_state_with_parent(element);
    }
    audioEntry_ = convert;
    volume_ = volume;
    audioSink_ = sink;
    return audioEntry_;
}

GstElement* StreamLinks::freeDiscardSinkLocked() {
    for (GstElement* sink : discardSinks_) {
        if (!sinkPadLinked(sink)) {
            return sink;
        }
    }
    GstElement* sink = addElementLocked("fakesink");
    if (sink == nullptr) {
        return nullptr;
    }
    // Keeps pace with the audio, so a stream without sound still ends on time.
    g_object_set(sink, "sync", TRUE, nullptr);
    gst_element_sync_state_with_parent(sink);
    discardSinks_.push_back(sink);
    return sink;
}

int StreamLinks::linkedStreams() const {
    std::lock_guard lock(mutex_);
    return linked_;
}

int StreamLinks::failedStreams() const {
    std::lock_guard lock(mutex_);
    return failed_;
}

bool StreamLinks::hasAudio() const {
    std::lock_guard lock(mutex_);
    return audioEntry_ != nullptr;
}

bool StreamLinks::soundArrived() const {
    std::lock_guard lock(mutex_);
    if (audioSink_ == nullptr) {
        return false;
    }
    GstSample* sample = nullptr;
    g_object_get(audioSink_, "last-sample", &sample, nullptr);
    if (sample == nullptr) {
        return false;
    }
    gst_sample_unref(sample);
    return true;
}

void StreamLinks::setVolume(double factor) {
    std::lock_guard lock(mutex_);
    volumeFactor_ = factor;
    if (volume_ != nullptr) {
        g_object_set(volume_, "volume", factor, nullptr);
    }
}

double StreamLinks::volume() const {
    std::lock_guard lock(mutex_);
    if (volume_ == nullptr) {
        return volumeFactor_;
    }
    gdouble factor = 0.0;
    g_object_get(volume_, "volume", &factor, nullptr);
    return factor;
}

void StreamLinks::attachOutput() {
    std::lock_guard lock(mutex_);
    if (audioSink_ == nullptr) {
        outputAttached_ = true;  // the chain, when made, ends in the output
        return;
    }
    if (outputAttached_) {
        return;
    }
    gst::ElementPtr output = makeAudioOutput();
    if (!output) {
        return;
    }
    gst_element_unlink(volume_, audioSink_);
    gst_bin_remove(GST_BIN(pipeline_), audioSink_);
    audioSink_ = nullptr;
    if (!gst_bin_add(GST_BIN(pipeline_), output.get()) || !gst_element_link(volume_, output.get())) {
        return;
    }
    audioSink_ = output.get();
    outputAttached_ = true;
}

}  // namespace tonlira
