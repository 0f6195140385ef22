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
// Threading: onMessage runs on whichever thread posts (streaming threads
// included); the other members run on the thread using the MediaObject. The
// state below the mutex is shared between them.

#include "media/GstHandles.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace tonlira {

class BusWatch {
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
    // when `limit` passes first.
    bool awaitPreroll(std::chrono::nanoseconds limit);

    int missingDecoders() const;
    // An error was posted since the last reset(); stays set until then.
    bool failed() const;
    // True once the stream ended or failed since the last call or reset().
    bool takeEnd();
    // The same, without taking it.
    bool ended() const;

private:
    static GstBusSyncReply onMessage(GstBus* bus, GstMessage* message, gpointer self);
    void record(GstMessage* message);

    GstElement* const pipeline_;
    gst::BusPtr bus_;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool prerolled_ = false;
    bool ended_ = false;
    bool failed_ = false;
    int missingDecoders_ = 0;
};

}  // namespace tonlira
