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
    // Plays the entry of the selected row (noEntry when no row is selected);
    // nothing happens when that entry is gone.
    void playEntry(EntrySerial selected);

    // Removes the entry of a playlist row (the Delete key). When it was the
    // current one and sounded, the entry that becomes current plays on (or
    // stays paused) in its place.
    void removeEntry(EntrySerial selected);

    // How often the position of the current entry was moved so far: seeks,
    // skips, stops and every change of entry (which starts at 0).
    std::uint64_t seekCount() const { return seeks_; }

    // Every pass of the main loop.
    void passDuties();
    // Every tick of the refresh timer.
    void refreshProgress();

private:
    // The attenuation the volume dial gives now.
    std::int32_t volume() const;
    // Every start of an entry, whichever command or event asks for it: at
    // the dial's volume from its first buffer.
    void start(MediaObject* media) const;
    // Stops `media` and puts it back to its start, a seek of its own.
    void stopAndRewind(MediaObject* media);
    // A twentieth of the track, backwards (-1) or forwards (+1).
    void skip(int direction);
    // next() for the current entry, already under the playlist's lock.
    void advance(PlaylistContents& contents, RowLog& rows);

    Playlist& playlist_;
    PlaybackState& playback_;
    TransportView& view_;
    std::uint64_t seeks_ = 0;
    // The volume last given to an entry, and that entry's serial.
    std::int32_t appliedVolume_ = 0;
    std::uint64_t volumeEntry_ = 0;
};

}  // namespace tonlira
