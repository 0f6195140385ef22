#pragma once
// The audio output that played entries send their sound to, described as a
// gst-launch fragment ("autoaudiosink" unless configured otherwise).
//
// Threading: the description may be changed and read from any thread.

#include "media/GstHandles.h"

#include <string>

namespace tonlira {

inline constexpr const char* defaultAudioOutput = "autoaudiosink";

// A new sink element (or bin with a sink pad) for the configured output.
// Falls back to the default output, then to a real-time discarding sink,
// so a playing entry always has somewhere to go. Never null.
gst::ElementPtr makeAudioOutput();

// Whether the configured description names elements that can be built.
bool audioOutputUsable();

// Whether the sound output was lost (it failed while an entry played: the
// sound server went away) and has not been seen working since. While it is,
// an output that starts without its device (the default output then falls
// back to silence) counts as failed too. Any thread.
bool audioOutputLost();
void noteAudioOutputLost(bool lost);

}  // namespace tonlira
