#pragma once
// What the desktop's remote control shows of the player: a snapshot of the
// state the transport and the playlist already keep, and which of the
// published properties differ between two snapshots. GUI thread only.

#include "library/PlaybackState.h"
#include "library/Playlist.h"

#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <cstdint>

namespace tonlira {

enum class RemoteStatus : std::uint8_t { Stopped, Playing, Paused };

struct RemoteSnapshot {
    RemoteStatus status = RemoteStatus::Stopped;
    std::uint64_t track = 0;  // serial of the current entry, 0 for none
    QString title;            // the file's title tag, else as the playlist row shows it
    QString artist;           // the file's tags, empty without them
    QString album;
    QString url;  // file URL of the current entry, percent-encoded
    std::int64_t lengthUs = 0;
    int entries = 0;
    int current = -1;
    bool playing = false;  // the transport's `playing` flag
    double volume = 0.0;   // linear factor of the dial's attenuation

    bool operator==(const RemoteSnapshot&) const = default;
};

inline constexpr std::int64_t microsecondsPerMs = 1000;

// Reads the state; `attenuationDb` is the volume the dial gives (-70 to 0).
// The status is what a listener hears: "Playing" only while the current
// entry's pipeline runs, "Paused" while it is paused, else "Stopped",
// whatever the transport's flags say.
RemoteSnapshot takeRemoteSnapshot(Playlist& playlist, const PlaybackState& playback, int attenuationDb);

// The current entry's position in microseconds, 0 without one.
std::int64_t remotePositionUs(Playlist& playlist);

QString playbackStatusText(RemoteStatus status);
// The object path naming an entry; the "no track" path for serial 0.
QString trackPath(std::uint64_t serial);
QVariantMap metadataOf(const RemoteSnapshot& state);

bool canGoNext(const RemoteSnapshot& state);
bool canGoPrevious(const RemoteSnapshot& state);
bool canPlay(const RemoteSnapshot& state);
bool canSeek(const RemoteSnapshot& state);

// The player interface's properties that differ from `before` to `after`,
// with their new values.
QVariantMap changedPlayerProperties(const RemoteSnapshot& before, const RemoteSnapshot& after);

}  // namespace tonlira
