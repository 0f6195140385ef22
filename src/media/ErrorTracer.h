#pragma once
// Hears every error an element posts, before any bin can drop it.
//
// decodebin drops the errors of an element it is still plugging in. A
// demuxer starts reading as soon as it is plugged in, so a demuxer that
// fails at once on a damaged file (an ogg page with one flipped byte) may
// post its error inside that window: the error is lost, the pipeline never
// prerolls and waits forever. A GStreamer tracer hook sees the error when
// it is posted, whatever the bins above do with it.
//
// Threading: the listener is called on the posting thread (usually a
// streaming thread), with the registry lock held: stopListening() returns
// only once no call is under way, so a listener may go away right after.

#include "media/GstHandles.h"

namespace tonlira {

class ErrorListener {
public:
    // `source` (borrowed for the call) posted an error inside the pipeline
    // the listener was registered for.
    virtual void onPostedError(GstElement* source) = 0;

protected:
    ~ErrorListener() = default;
};

// Reports errors posted by `pipeline` or any element inside it to
// `listener` until stopListening(). One listener per pipeline.
void listenForErrors(GstElement* pipeline, ErrorListener* listener);
void stopListening(GstElement* pipeline, const ErrorListener* listener);

}  // namespace tonlira
