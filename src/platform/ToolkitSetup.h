#pragma once
// Start-up settings of the widget toolkit that the program relies on: the
// standard dialogs speak German whatever the user's locale, and the toolkit
// keeps no settings file of its own. Called once on the GUI thread, right
// after the application object exists and before any dialog is built.

namespace tonlira {

// Loads Qt's German catalogue ("Ja", "Nein", "Abbrechen", "Öffnen" ...).
// False when the catalogue is not installed; the texts then stay English.
bool loadGermanStandardTexts();

// The file dialog remembers its history in a settings file of the toolkit;
// the program writes no file but its preferences, so that file goes nowhere.
void keepToolkitSettingsOffDisk();

}  // namespace tonlira
