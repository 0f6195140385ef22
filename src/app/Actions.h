#pragma once
// The actions the dispatch tables name that belong to the application
// itself: view toggles, quitting, the about box and the dial.

#include "platform/EventQueue.h"

namespace tonlira {

struct AppState;

inline constexpr const char* aboutTitle = "Über";
inline constexpr const char* aboutText = "Tonlira v1.00\r\nEin Audioplayer für MP3, FLAC, WAV, WMA und OGG";

// The open-file dialog's filter: one description and its patterns.
inline constexpr const char* openFilesFilter =
    "Audio Dateien (.mp3, .wav, .wma, .ogg, .flac)|*.mp3;*.wav;*.wma;*.ogg;*.flac";

// Asks for files in the music folder and hands them to the playlist,
// replacing its entries or appending to them.
void openFiles(AppState& app, bool replace);
void requestQuit(AppState& app);
void toggleLibrary(AppState& app);
void togglePlaylist(AppState& app);
void toggleStayOnTop(AppState& app);
void showAbout(AppState& app);
// One drag step of the volume dial towards the mouse cursor.
void dialDragStep(AppState& app);

}  // namespace tonlira
