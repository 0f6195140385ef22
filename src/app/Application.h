#pragma once
// The program's entry: start-up, the main loop and shut-down.

namespace tonlira {

// Runs the whole program and returns the process's exit code (always 0).
int runApplication(int argc, char** argv);

}  // namespace tonlira
