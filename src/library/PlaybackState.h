#pragma once
// The two flags that follow the user's transport commands. They are not
// derived from the pipelines' real states.
//
// Threading: set and read on the GUI thread; the folder loader clears
// `playing` from its worker when it empties the playlist, hence atomics.

#include <atomic>

namespace tonlira {

struct PlaybackState {
    std::atomic<bool> playing{false};
    std::atomic<bool> paused{false};
};

}  // namespace tonlira
