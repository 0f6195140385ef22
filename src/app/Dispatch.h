#pragma once
// Which event leads to which action: the menu table and the control table,
// as data the main loop reads.

#include "platform/EventQueue.h"

#include <optional>
#include <span>

namespace tonlira {

struct AppState;

using Action = void (*)(AppState& app, const Event& event);

struct MenuRoute {
    MenuId id;
    Action action;  // null: the command does nothing yet
};

struct ControlRoute {
    WindowId window;
    ControlId id;
    std::optional<ControlEventType> type;  // nothing: every event type
    Action action;                         // null: the control does nothing yet
};

std::span<const MenuRoute> menuRoutes();
std::span<const ControlRoute> controlRoutes();

// Runs what the tables and the event kind say for one event.
void dispatchEvent(AppState& app, const Event& event);

// The refresh timer's tick.
void timerTick(AppState& app);

}  // namespace tonlira
