#pragma once
// The transport: the user's playback commands and the recurring playback
// work, acting through the engine on the playlist's current entry.
//
// GUI thread only. Every touch of an entry happens inside Playlist::access(),
// so a folder loader refilling the playlist never frees an entry in use.

#include "library/PlaybackState.h"
#include "library/Playlist.h"
#include "transport/TransportView.h"

#include <cstdint>

namespace tonlira {

// The attenuation in whole decibels for a volume dial value (0 to 140):
// 0 gives -70 dB, 140 gives 0 dB.
std::int32_t dialVolume(float dialValue);

class Transport {
public:
    Transport(Playlist& playlist, PlaybackState& playback, TransportView& view);

    void play();
    void togglePause();
    void stop();
    void next();
    void previous();
    void skipBack();
    void skipForward();
    // Seeks to the value of the slider that reported the change.
    void seekToSlider(int sliderValueMs);
    // Plays the entry of the selected row; -1 when no row is selected.
    void playRow(int selectedRow);

    // Every pass of the main loop.
    void passDuties();
    // Every tick of the refresh timer.
    void refreshProgress();

private:
    // A twentieth of the track, backwards (-1) or forwards (+1).
    void skip(int direction);
    // next() for the current entry, already under the playlist's lock.
    void advance(PlaylistContents& contents, RowLog& rows);

    Playlist& playlist_;
    PlaybackState& playback_;
    TransportView& view_;
    // The volume last given to an entry, and that entry's serial.
    std::int32_t appliedVolume_ = 0;
    std::uint64_t volumeEntry_ = 0;
};

}  // namespace tonlira
