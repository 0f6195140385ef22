#include "transport/Transport.h"

#include "platform/Rounding.h"

#include <optional>

namespace tonlira {
namespace {

constexpr float dialToDecibels = 2.0F;
constexpr float silentEndDecibels = 70.0F;
constexpr double skipFraction = 20.0;

std::size_t index(int i) { return static_cast<std::size_t>(i); }

}  // namespace

std::int32_t dialVolume(float dialValue) { return rnd(dialValue / dialToDecibels - silentEndDecibels); }

Transport::Transport(Playlist& playlist, PlaybackState& playback, TransportView& view)
    : playlist_(playlist), playback_(playback), view_(view) {}

std::int32_t Transport::volume() const { return dialVolume(view_.dialValue()); }

void Transport::start(MediaObject* media) const { runMediaAtVolume(media, volume()); }

void Transport::stopAndRewind(MediaObject* media) {
    stopMedia(media);
    seekMedia(media, 0);
    ++seeks_;
}

void Transport::play() {
    playlist_.access([&](PlaylistContents& contents, RowLog&) {
        if (!contents.hasEntries()) {
            return;
        }
        start(contents.currentMedia());
        playback_.playing = true;
    });
}

void Transport::togglePause() {
    playlist_.access([&](PlaylistContents& contents, RowLog&) {
        if (!contents.hasEntries()) {
            return;
        }
        if (!playback_.paused) {
            pauseMediaAtVolume(contents.currentMedia(), volume());
            playback_.paused = true;
        } else {
            start(contents.currentMedia());
            playback_.paused = false;
            playback_.playing = true;
        }
    });
}

void Transport::stop() {
    const bool stopped = playlist_.access([&](PlaylistContents& contents, RowLog&) {
        if (!contents.hasEntries()) {
            return false;
        }
        stopAndRewind(contents.currentMedia());
        playback_.playing = false;
        return true;
    });
    if (stopped) {
        view_.setPlayerSliderValue(0);
    }
}

void Transport::advance(PlaylistContents& contents, RowLog& rows) {
    stopAndRewind(contents.currentMedia());
    const int following = contents.current + 1;
    if (following >= static_cast<int>(contents.entries.size())) {
        return;  // the last entry stays current, stopped and rewound
    }
    contents.current = following;
    start(contents.currentMedia());
    rows.select(following);
}

void Transport::next() {
    playlist_.access([&](PlaylistContents& contents, RowLog& rows) {
        if (contents.hasEntries()) {
            advance(contents, rows);
        }
    });
}

void Transport::previous() {
    playlist_.access([&](PlaylistContents& contents, RowLog& rows) {
        if (!contents.hasEntries() || contents.current <= 0) {
            return;
        }
        stopAndRewind(contents.currentMedia());
        contents.current -= 1;
        start(contents.currentMedia());
        rows.select(contents.current);
    });
}

void Transport::skip(int direction) {
    if (!playback_.playing) {
        return;
    }
    playlist_.access([&](PlaylistContents& contents, RowLog&) {
        MediaObject* media = contents.currentMedia();
        if (contents.current < 0) {
            return;
        }
        const std::int64_t position = getMediaPosition(media);
        const std::int64_t length = getMediaLength(media);
        const auto step = static_cast<std::int64_t>(static_cast<double>(length) / skipFraction);
        seekMedia(media, position + direction * step);
        ++seeks_;
    });
}

void Transport::skipBack() { skip(-1); }

void Transport::skipForward() { skip(+1); }

void Transport::seekToSlider(int sliderValueMs) {
    if (!playback_.playing) {
        return;
    }
    playlist_.access([&](PlaylistContents& contents, RowLog&) {
        if (contents.current >= 0) {
            seekMedia(contents.currentMedia(), sliderValueMs);
            ++seeks_;
        }
    });
}

void Transport::playEntry(EntrySerial selected) {
    playlist_.access([&](PlaylistContents& contents, RowLog&) {
        const int selectedRow = contents.indexOf(selected);
        if (selectedRow < 0) {
            return;
        }
        for (PlaylistEntry& entry : contents.entries) {
            stopAndRewind(entry.media.get());
        }
        contents.current = selectedRow;
        start(contents.entries[index(selectedRow)].media.get());
        playback_.playing = true;
    });
}

void Transport::removeEntry(EntrySerial selected) {
    const Playlist::Removed removed = playlist_.removeEntry(selected);
    if (!removed.current || removed.state == MediaState::Stopped) {
        return;
    }
    // The entry that took the removed one's place carries on as the removed
    // one did, as after the end of a file: nothing falls silent while the
    // flags say it plays.
    playlist_.access([&](PlaylistContents& contents, RowLog&) {
        MediaObject* media = contents.currentMedia();
        if (removed.state == MediaState::Running) {
            start(media);
        } else {
            pauseMediaAtVolume(media, volume());
        }
    });
}

void Transport::passDuties() {
    const std::int32_t volume = this->volume();
    // The dial's volume reaches the current entry in this pass when it or
    // the entry changed; an unchanged volume is not set again, and no pass
    // pauses for it (the main loop keeps its own pace).
    const std::optional<std::int32_t> length = playlist_.access([&](PlaylistContents& contents, RowLog& rows) {
        if (!contents.hasEntries()) {
            return std::optional<std::int32_t>();
        }
        const std::uint64_t serial = contents.current >= 0 ? contents.entries[index(contents.current)].serial : 0;
        MediaObject* media = contents.currentMedia();
        if (volume != appliedVolume_ || serial != volumeEntry_) {
            setMediaVolumeUnpaused(media, volume);
            appliedVolume_ = volume;
            volumeEntry_ = serial;
        }
        const std::int32_t read = getMediaLength(media);
        if (isMediaComplete(media) == 1) {
            if (mediaOutputFailed(media)) {
                // Nothing can sound: playback stops where it was instead of
                // running through the playlist in silence. Play starts it
                // again once the sound output is back.
                stopMedia(media);
                playback_.playing = false;
                playback_.paused = false;
            } else {
                advance(contents, rows);
            }
        }
        return std::optional<std::int32_t>(read);
    });
    if (length) {
        view_.setSliderMaximum(*length);
    }
}

void Transport::refreshProgress() {
    if (!playback_.playing) {
        view_.setPlayerTitleText({});
        return;
    }
    struct Progress {
        bool current = false;
        std::int32_t position = 0;
        std::int32_t length = 0;
        std::string title;
    };
    const Progress progress = playlist_.access([](PlaylistContents& contents, RowLog&) {
        Progress read;
        if (contents.current < 0) {
            return read;
        }
        const PlaylistEntry& entry = contents.entries[index(contents.current)];
        read.current = true;
        read.position = getMediaPosition(entry.media.get());
        read.title = entry.title;
        read.length = getMediaLength(entry.media.get());
        return read;
    });
    if (!progress.current) {
        return;
    }
    view_.setSliderValue(progress.position);
    view_.setTitleText(progress.title);
    view_.setStatusTitle(progress.title);
    view_.setStatusTime(formatTime(progress.position) + " / " + formatTime(progress.length));
}

}  // namespace tonlira
