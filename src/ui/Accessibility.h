#pragma once
// Names and roles in German for every control of the player window, so a
// screen reader can tell them apart: the seven buttons by their menu words,
// the volume dial ("Lautstärke"), the title display ("Titel"), the position
// slider ("Position"), the playlist ("Playlist", each row reading its title
// and length) and the library's two lists. GUI thread only.

#include "ui/AccessibleControls.h"

#include <QString>

class QTreeWidget;

namespace tonlira {

class PlayerWindow;

void addAccessibility(PlayerWindow& window, DialDecibels decibels, TimeText timeText);

// What a playlist row reads: "Titel, 03:25".
QString playlistRowSpeech(const QString& title, const QString& length);

// Keeps every row of `view` (title and length columns) reading both.
void speakPlaylistRows(QTreeWidget* view);

}  // namespace tonlira
