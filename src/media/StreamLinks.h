#pragma once
// Connects the decoded streams that decodebin exposes to the rest of one
// pipeline: the first audio stream to the audio chain
// (audioconvert ! audioresample ! volume ! output), every other stream
// (video, further audio, subtitles) to a sink that discards it. The chain
// and the discarding sinks are made when the first stream of their kind
// appears and are linked again whenever decodebin exposes its streams anew
// (on every start from NULL).
//
// Threading: onPadAdded runs on GStreamer streaming threads; everything else
// on the thread that currently uses the MediaObject. The members below the
// mutex are shared between the two and only touched with the mutex held.
// Nothing here touches Qt.

#include "media/GstHandles.h"

#include <mutex>
#include <vector>

namespace tonlira {

class StreamLinks {
public:
    // `pipeline` is borrowed and must be set to NULL (which joins its
    // streaming threads) before this object goes away.
    explicit StreamLinks(GstElement* pipeline);
    StreamLinks(const StreamLinks&) = delete;
    StreamLinks& operator=(const StreamLinks&) = delete;

    // Starts listening to decodebin's new streams.
    void watch(GstElement* decodebin);

    // Streams linked so far, and streams that could not be linked.
    int linkedStreams() const;
    int failedStreams() const;
    bool hasAudio() const;
    // True when decoded sound has reached the end of the audio chain (read
    // after a preroll, before the pipeline leaves PAUSED).
    bool soundArrived() const;

    // Volume factor of the audio chain, kept for a chain made later.
    void setVolume(double factor);
    double volume() const;

    // Swaps the discarding sink at the end of the audio chain for the real
    // audio output, or has a chain made later end in it. Only while the
    // pipeline is in NULL; does nothing once done.
    void attachOutput();

private:
    static void onPadAdded(GstElement* decodebin, GstPad* pad, gpointer self);
    void link(GstPad* pad);
    GstElement* audioChainLocked();
    GstElement* freeDiscardSinkLocked();
    GstElement* addElementLocked(const char* factory);
    GstElement* addElementLocked(gst::ElementPtr element);

    GstElement* const pipeline_;

    mutable std::mutex mutex_;
    // Elements below are owned by the pipeline; these are borrowed pointers.
    GstElement* audioEntry_ = nullptr;
    GstElement* volume_ = nullptr;
    GstElement* audioSink_ = nullptr;
    std::vector<GstElement*> discardSinks_;
    bool outputAttached_ = false;
    double volumeFactor_ = 1.0;
    int linked_ = 0;
    int failed_ = 0;
};

}  // namespace tonlira
