#pragma once
// Brings pipelines back to NULL on a helper thread of its own, so that the
// thread adding files goes on to the next file while the last one's
// streaming threads wind down (a few milliseconds per file, a good part of
// adding short files).
//
// Threading: settleToNull() may be called from any thread. The helper
// thread starts with the first request and ends with the process; it holds
// a reference to every pipeline it still has to settle.

#include "media/GstHandles.h"

#include <future>

namespace tonlira {

// Sets `pipeline` to NULL soon; the future is ready once it is there.
std::future<void> settleToNull(GstElement* pipeline);

}  // namespace tonlira
