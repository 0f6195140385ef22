#pragma once
// The program's entry: start-up, the main loop and shut-down.

#include <string>
#include <vector>

namespace tonlira {

struct AppState;

// Runs the whole program and returns the process's exit code (always 0).
int runApplication(int argc, char** argv);

// Start-up after the platform services are up: settings, the single-instance
// rule, the window, the command-line files. False when this instance may not
// run beside another one; nothing is shown then.
bool startUp(AppState& app, std::vector<std::string> arguments);
// Shut-down after the main loop: saves the panel flags and the library.
void shutDown(AppState& app);

}  // namespace tonlira
