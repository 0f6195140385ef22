#include "remote/RemoteState.h"

#include "remote/FileUrl.h"

#include <QDBusObjectPath>

#include <cmath>

namespace tonlira {
namespace {

constexpr double decibelsPerDecade = 20.0;
constexpr const char* noTrackPath = "/org/mpris/MediaPlayer2/TrackList/NoTrack";
constexpr const char* trackPathPrefix = "/org/tonlira/Tonlira/Track/";

RemoteStatus statusOf(MediaState state) {
    switch (state) {
    case MediaState::Running: return RemoteStatus::Playing;
    case MediaState::Paused: return RemoteStatus::Paused;
    case MediaState::Stopped: break;
    }
    return RemoteStatus::Stopped;
}

}  // namespace

RemoteSnapshot takeRemoteSnapshot(Playlist& playlist, const PlaybackState& playback, int attenuationDb) {
    RemoteSnapshot state;
    state.playing = playback.playing;
    state.volume = std::pow(10.0, attenuationDb / decibelsPerDecade);
    playlist.access([&](PlaylistContents& contents, RowLog&) {
        state.entries = static_cast<int>(contents.entries.size());
        state.current = contents.current;
        if (contents.current < 0 || contents.current >= state.entries) {
            return;
        }
        const PlaylistEntry& entry = contents.entries[static_cast<std::size_t>(contents.current)];
        MediaObject* media = entry.media.get();
        state.status = statusOf(getMediaState(media));
        state.track = entry.serial;
        const MediaTags tags = getMediaTags(media);
        state.title = QString::fromStdString(tags.title.empty() ? entry.title : tags.title);
        state.artist = QString::fromStdString(tags.artist);
        state.album = QString::fromStdString(tags.album);
        state.url = entry.path.empty() ? QString() : fileUrlOf(entry.path);
        state.lengthUs = std::int64_t{getMediaLength(media)} * microsecondsPerMs;
    });
    return state;
}

std::int64_t remotePositionUs(Playlist& playlist) {
    return playlist.access([](PlaylistContents& contents, RowLog&) {
        return std::int64_t{getMediaPosition(contents.currentMedia())} * microsecondsPerMs;
    });
}

QString playbackStatusText(RemoteStatus status) {
    switch (status) {
    case RemoteStatus::Playing: return QStringLiteral("Playing");
    case RemoteStatus::Paused: return QStringLiteral("Paused");
    case RemoteStatus::Stopped: break;
    }
    return QStringLiteral("Stopped");
}

QString trackPath(std::uint64_t serial) {
    return serial == 0 ? QString::fromLatin1(noTrackPath)
                       : QString::fromLatin1(trackPathPrefix) + QString::number(serial);
}

QVariantMap metadataOf(const RemoteSnapshot& state) {
    QVariantMap metadata;
    metadata.insert(QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(trackPath(state.track))));
    if (state.track == 0) {
        return metadata;
    }
    metadata.insert(QStringLiteral("mpris:length"), qlonglong{state.lengthUs});
    metadata.insert(QStringLiteral("xesam:title"), state.title);
    if (!state.artist.isEmpty()) {
        metadata.insert(QStringLiteral("xesam:artist"), QStringList{state.artist});
    }
    if (!state.album.isEmpty()) {
        metadata.insert(QStringLiteral("xesam:album"), state.album);
    }
    if (!state.url.isEmpty()) {
        metadata.insert(QStringLiteral("xesam:url"), state.url);
    }
    return metadata;
}

bool canGoNext(const RemoteSnapshot& state) { return state.current >= 0 && state.current + 1 < state.entries; }
bool canGoPrevious(const RemoteSnapshot& state) { return state.current > 0 && state.current < state.entries; }
bool canPlay(const RemoteSnapshot& state) { return state.entries > 0; }
// The transport seeks only while playback is on.
bool canSeek(const RemoteSnapshot& state) { return canPlay(state) && state.playing; }

QVariantMap changedPlayerProperties(const RemoteSnapshot& before, const RemoteSnapshot& after) {
    QVariantMap changed;
    if (before.status != after.status) {
        changed.insert(QStringLiteral("PlaybackStatus"), playbackStatusText(after.status));
    }
    if (before.track != after.track || before.title != after.title || before.artist != after.artist ||
        before.album != after.album || before.url != after.url || before.lengthUs != after.lengthUs) {
        changed.insert(QStringLiteral("Metadata"), metadataOf(after));
    }
    const auto flag = [&](const char* name, bool (*test)(const RemoteSnapshot&)) {
        if (test(before) != test(after)) {
            changed.insert(QString::fromLatin1(name), test(after));
        }
    };
    flag("CanGoNext", canGoNext);
    flag("CanGoPrevious", canGoPrevious);
    flag("CanPlay", canPlay);
    flag("CanPause", canPlay);
    flag("CanSeek", canSeek);
    if (before.volume != after.volume) {
        changed.insert(QStringLiteral("Volume"), after.volume);
    }
    return changed;
}

}  // namespace tonlira
