#pragma once
// The settings window's side of the application: opening and filling it,
// and what its controls and its close box lead to.

#include "platform/EventQueue.h"

namespace tonlira {

struct AppState;

inline constexpr const char* saveFailedTitle = "Tonlira";
inline constexpr const char* saveFailedText =
    "Die Einstellungen konnten nicht gespeichert werden. Die Datei ist unverändert.";

// Builds and fills the window, centred on the player window; when it is
// already open, brings it to the front as it is.
void openSettingsWindow(AppState& app);
// "Abbrechen" and the close box: closes without writing. Colours picked
// meanwhile stay live.
void closeSettingsWindow(AppState& app);
// A swatch pressed: the colour chooser, black preselected; a picked colour
// becomes the live colour and the swatch shows it.
void swatchPressed(AppState& app, const Event& event);
// The shortcut list's selection changed: the field shows the row's code.
void shortcutSelectionChanged(AppState& app);
// "Übernehmen": the selected row takes the field's code.
void applyCapturedShortcut(AppState& app);
// "Speichern": writes the file, applies the scroll speed and the colours,
// registers the shortcuts, labels the menu and closes.
void saveSettings(AppState& app);

}  // namespace tonlira
