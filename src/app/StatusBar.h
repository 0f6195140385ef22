#pragma once
// The status bar's life and its memory fields.

#include "platform/MemoryStatus.h"

#include <string>

namespace tonlira {

struct AppState;

// "RAM auslastung: 42%     ( 6000 / 16000 MB)"
std::string memoryLine(const MemoryStatus& status);

void createStatusBar(AppState& app);
// Switches the status bar on or off, from the state copied at the top of the
// loop pass; the next pass fits the window to the new height.
void toggleStatusBar(AppState& app);
void refreshMemoryFields(AppState& app);

}  // namespace tonlira
