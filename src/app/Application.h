#pragma once
// The program's entry: start-up, the main loop and shut-down.

#include <string>
#include <vector>

namespace tonlira {

struct AppState;

// Runs the whole program and returns the process's exit code (always 0).
int runApplication(int argc, char** argv);

// The first steps of start-up, which need no application object: the
// settings folder, the settings, the single-instance rule. False when this
// instance may not run beside another one. Done once; later calls repeat
// the answer.
bool claimInstance(AppState& app);
// Start-up after the platform services are up: claimInstance (unless done),
// the window, the media engine, the command-line files. False when this
// instance may not run beside another one; nothing is shown then.
bool startUp(AppState& app, std::vector<std::string> arguments);
// Shut-down after the main loop: saves the panel flags and the library.
void shutDown(AppState& app);

}  // namespace tonlira
