#pragma once
// Listens to one pipeline's messages as they are posted and keeps what the
// engine asks about: preroll done, decoders found missing, the end of the
// stream, a failure.
//
// The pipeline gets a bus without a message queue: such a bus needs no file
// descriptors (a queued bus holds two for its whole life, which would limit
// a playlist to a few thousand entries) and cannot fill up while nobody
// polls a playing entry. Messages are seen only by the handler below.
//
// An error that decodebin swallows (see ErrorTracer.h) still counts: when
// the element that posted it stays plugged in and settled, the pipeline has
// failed even though its bus never heard of it.
//
// Threading: onMessage and onPostedError run on whichever thread posts
// (streaming threads included); the other members run on the thread using
// the MediaObject. The state below the mutex is shared between them.

#include "media/ErrorTracer.h"
#include "media/GstHandles.h"
#include "media/MediaEngine.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

namespace tonlira {

// Calls the waker set with setMediaEndWaker, if any.
void wakeOnMediaEnd();

class BusWatch final : private ErrorListener {
public:
    // Gives `pipeline` (borrowed; it must be set to NULL and released before
    // this object goes) a queue-less bus that reports here.
    explicit BusWatch(GstElement* pipeline);
    ~BusWatch();
    BusWatch(const BusWatch&) = delete;
    BusWatch& operator=(const BusWatch&) = delete;

    // Forgets everything seen so far.
    void reset();

    // Waits until the pipeline has prerolled or failed; false on failure or
    // when `limit` passes first. A failure counts as soon as it is posted.
    bool awaitPreroll(std::chrono::nanoseconds limit);

    int missingDecoders() const;
    // An error was posted since the last reset(); stays set until then.
    bool failed();
    // True once the stream ended or failed since the last call or reset().
    bool takeEnd();
    // The same, without taking it.
    bool ended();
    // The failure was the sound output's (see audioOutputLost()), not the
    // file's.
    bool outputFailed() const;
    // The title, artist and album tags seen so far; reset() keeps them.
    MediaTags tags() const;

private:
    struct PostedError {
        gst::ElementPtr source;
        std::chrono::steady_clock::time_point when;
    };

    static GstBusSyncReply onMessage(GstBus* bus, GstMessage* message, gpointer self);
    void record(GstMessage* message);
    // An error or warning of the sound output: of a sink that is not one of
    // the discarding ones.
    bool fromOutput(GstMessage* message) const;
    void recordLocked(GstMessage* message, bool output);
    void onPostedError(GstElement* source) override;
    // Turns a swallowed error into a failure; true when there is one now.
    bool checkSwallowed();

    GstElement* const pipeline_;
    gst::BusPtr bus_;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool prerolled_ = false;
    bool ended_ = false;
    bool failed_ = false;
    bool outputFailed_ = false;
    int missingDecoders_ = 0;
    MediaTags tags_;
    // Errors posted inside the pipeline, whether or not the bus saw them.
    std::vector<PostedError> posted_;
};

}  // namespace tonlira
