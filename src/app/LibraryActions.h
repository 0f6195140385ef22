#pragma once
// The application's side of the audio library and the folder loader: the
// commands of the "Datei" menu and the library popup, the library tree and
// its file list, and the add-folder dialog. GUI thread only.

#include <string>

namespace tonlira {

struct AppState;

inline constexpr const char* openFolderTitle = "Musikordner Öffnen";
inline constexpr const char* clearLibraryTitle = "Tonlira";
inline constexpr const char* clearLibraryQuestion = "Möchten sie wirklich die gesamte Audiobibliothek leeren?";

// Replaces the playlist with the audio files of the tree at `folder`, on the
// loader's thread; a load still running is superseded.
void loadFolder(AppState& app, const std::string& folder);

// "Ordner Öffnen": the folder chooser, then loadFolder.
void openFolder(AppState& app);
// "In Playlist einreihen": loadFolder for the selected library row.
void enqueueLibraryEntry(AppState& app);
// "Audiobibliothek Leeren", after the person's Yes.
void clearLibrary(AppState& app);

// Start-up: the stored library into the list and the tree.
void loadLibraryAtStartUp(AppState& app);
// Rebuilds the library tree from the list.
void showLibrary(AppState& app);

// The library tree's selection changed: its folder's contents into the file list.
void showFolderContents(AppState& app);
// Right click on the library tree: the popup, when a row is selected.
void showLibraryPopup(AppState& app);

// The add-folder dialog: open (or bring to the front), its buttons, closing.
void openAddFolderDialog(AppState& app);
void addFolderMoveRight(AppState& app);
void addFolderMoveLeft(AppState& app);
void addFolderCommit(AppState& app);
void closeAddFolderDialog(AppState& app);

}  // namespace tonlira
