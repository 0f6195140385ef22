#pragma once
// The program's only event loop.

#include <chrono>

namespace tonlira {

struct AppState;

inline constexpr std::chrono::milliseconds eventWaitLimit{2};

// One pass: wait for an event, draw a title frame, keep the layout, dispatch,
// then the polled work.
void runPass(AppState& app);
// Passes until a quit is requested.
void runMainLoop(AppState& app);

}  // namespace tonlira
