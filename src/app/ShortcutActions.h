#pragma once
// The player window's keyboard shortcuts as the preferences file holds them:
// registering them and showing their names in the menu.

namespace tonlira {

struct AppState;

// Rebuilds the player window's shortcut table from "Shortcuts"; without a
// readable file every code reads 0 and no shortcut is left.
void registerShortcuts(AppState& app);

// Rewrites the texts of menu items 0 to 18 as their label, a tab and the name
// of their shortcut. Without a readable file the texts stay as they are.
void labelMenuItems(AppState& app);

}  // namespace tonlira
