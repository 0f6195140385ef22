#pragma once
// The program's only event loop.

#include <chrono>

namespace tonlira {

struct AppState;

// The longest wait of a pass while something on screen moves by itself (the
// dial's drag).
inline constexpr std::chrono::milliseconds eventWaitLimit{2};
// The pace of the title's scrolling and of a held Delete key: one frame, one
// removal per period, as when every pass waited 2 ms and then paused 10 ms
// for the volume.
// (81 passes a second).
inline constexpr std::chrono::microseconds framePeriod{12'300};

// One pass: wait for an event (no longer than something on screen needs),
// draw a title frame when one is due, keep the layout, dispatch, then the
// polled work.
void runPass(AppState& app);
// Passes until a quit is requested.
void runMainLoop(AppState& app);

}  // namespace tonlira
