// Which properties the remote control announces for a change of state, and
// how the state reads as MPRIS values.

#include "remote/RemoteState.h"

#include "remote/FileUrl.h"

#include <QDBusObjectPath>

#include <gtest/gtest.h>

#include <functional>

namespace tonlira::test {
namespace {

RemoteSnapshot playingSecondOfThree() {
    RemoteSnapshot state;
    state.status = RemoteStatus::Playing;
    state.track = 7;
    state.title = QStringLiteral("zwei.ogg");
    state.url = QStringLiteral("file:///musik/zwei.ogg");
    state.lengthUs = 3'000'000;
    state.entries = 3;
    state.current = 1;
    state.playing = true;
    state.volume = 0.5;
    return state;
}

TEST(RemoteStateTest, EachChangeAnnouncesExactlyTheAffectedProperties) {
    struct Case {
        const char* what;
        std::function<void(RemoteSnapshot&)> change;
        QStringList announced;
    };
    const std::vector<Case> cases{
        {"nothing", [](RemoteSnapshot&) {}, {}},
        {"paused", [](RemoteSnapshot& s) { s.status = RemoteStatus::Paused; }, {"PlaybackStatus"}},
        {"next entry",
         [](RemoteSnapshot& s) {
             s.track = 8;
             s.title = QStringLiteral("drei.ogg");
             s.current = 2;
         },
         {"CanGoNext", "Metadata"}},
        {"stopped",
         [](RemoteSnapshot& s) {
             s.status = RemoteStatus::Stopped;
             s.playing = false;
         },
         {"CanSeek", "PlaybackStatus"}},
        {"playlist cleared",
         [](RemoteSnapshot& s) { s = RemoteSnapshot{}; },
         {"CanGoNext", "CanGoPrevious", "CanPause", "CanPlay", "CanSeek", "Metadata", "PlaybackStatus", "Volume"}},
        {"dial turned", [](RemoteSnapshot& s) { s.volume = 1.0; }, {"Volume"}},
    };
    for (const Case& c : cases) {
        RemoteSnapshot after = playingSecondOfThree();
        c.change(after);
        QStringList keys = changedPlayerProperties(playingSecondOfThree(), after).keys();
        keys.sort();
        EXPECT_EQ(keys, c.announced) << c.what;
    }
}

TEST(RemoteStateTest, MetadataNamesTheTrackAndNoTrackWithoutOne) {
    const QVariantMap shown = metadataOf(playingSecondOfThree());
    EXPECT_EQ(shown.value("mpris:trackid").value<QDBusObjectPath>().path(), "/org/tonlira/Tonlira/Track/7");
    EXPECT_EQ(shown.value("xesam:title").toString(), "zwei.ogg");
    EXPECT_EQ(shown.value("xesam:url").toString(), "file:///musik/zwei.ogg");
    EXPECT_EQ(shown.value("mpris:length").toLongLong(), 3'000'000);

    const QVariantMap none = metadataOf(RemoteSnapshot{});
    EXPECT_EQ(none.keys(), QStringList{"mpris:trackid"});
    EXPECT_EQ(none.value("mpris:trackid").value<QDBusObjectPath>().path(),
              "/org/mpris/MediaPlayer2/TrackList/NoTrack");
}

TEST(RemoteStateTest, FileUrlsArePercentEncoded) {
    EXPECT_EQ(fileUrlOf("/musik/ein Lied über 100%.ogg"), "file:///musik/ein%20Lied%20%C3%BCber%20100%25.ogg");
    EXPECT_EQ(fileUrlOf("/musik/\xF0\x9F\x8E\xB5#1?.mp3"), "file:///musik/%F0%9F%8E%B5%231%3F.mp3");
}

TEST(RemoteStateTest, TagsShowInTheMetadataWhenTheFileHasThem) {
    RemoteSnapshot state = playingSecondOfThree();
    state.artist = QStringLiteral("Künstler");
    state.album = QStringLiteral("Album");
    const QVariantMap shown = metadataOf(state);
    EXPECT_EQ(shown.value("xesam:artist").toStringList(), QStringList{"Künstler"});
    EXPECT_EQ(shown.value("xesam:album").toString(), "Album");
    EXPECT_FALSE(metadataOf(playingSecondOfThree()).contains("xesam:artist"));
}

TEST(RemoteStateTest, NextAndPreviousAreOfferedOnlyWhereThereIsAnEntry) {
    RemoteSnapshot state = playingSecondOfThree();
    for (const auto& [current, next, previous] : {std::tuple{0, true, false}, std::tuple{1, true, true},
                                                  std::tuple{2, false, true}, std::tuple{-1, false, false}}) {
        state.current = current;
        EXPECT_EQ(canGoNext(state), next) << current;
        EXPECT_EQ(canGoPrevious(state), previous) << current;
    }
}

}  // namespace
}  // namespace tonlira::test
