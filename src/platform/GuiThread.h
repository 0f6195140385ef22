#pragma once
// The thread that owns the application's widgets, and how other threads hand
// work to it.

#include <functional>

namespace tonlira {

// True on the thread that owns the application's widgets (and when there is
// no application yet).
bool isGuiThread();

// Runs `work` on the GUI thread: directly when called there, otherwise
// queued to it while the calling thread waits for it to finish.
void runOnGuiThread(const std::function<void()>& work);

// Runs `work` on the GUI thread later, when its event loop next turns (at
// once when there is no application). Never waits; for work that must not
// run inside the caller's locks, e.g. a message box.
void postToGuiThread(std::function<void()> work);

}  // namespace tonlira
