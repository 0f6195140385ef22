// The transport over a real playlist of short generated files: the states of
// the two flags, moving between entries, skipping, the end of each track and
// what the progress display shows.

#include "media/MediaObject.h"
#include "support/RecordingRequester.h"
#include "support/TempDir.h"
#include "support/TestMedia.h"
#include "transport/Transport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>

namespace tonlira::test {
namespace {

class RecordedView final : public TransportView, public PlaylistRows {
public:
    void setSliderMaximum(int maximumMs) override { sliderMaximum = maximumMs; }
    void setSliderValue(int positionMs) override { sliderValue = positionMs; }
    void setPlayerSliderValue(int positionMs) override { sliderValue = positionMs; }
    void setTitleText(const std::string& title) override { titleText = title; }
    void setPlayerTitleText(const std::string& title) override { titleText = title; }
    void setStatusTitle(const std::string& title) override { statusTitle = title; }
    void setStatusTime(const std::string& time) override { statusTime = time; }
    float dialValue() const override { return dial; }

    void appendRow(const std::string&, const std::string&, EntrySerial) override { ++rows; }
    void removeRow(int) override { --rows; }
    void clearRows() override { rows = 0; }
    void selectRow(int row) override { selected = row; }

    int sliderMaximum = -1;
    int sliderValue = -1;
    std::string titleText = "unset";
    std::string statusTitle;
    std::string statusTime;
    float dial = 140.0F;
    int rows = 0;
    int selected = -1;
};

class TransportTest : public ::testing::Test {
protected:
    void SetUp() override {
        setAudioOutput("fakesink sync=true");
        playlist.setRows(&view);
        for (const char* stem : {"first", "second"}) {
            paths.push_back(TestMedia::make(TestFormat::Wav, folder.path(), 1.0, stem).string());
        }
        paths.push_back(TestMedia::make(TestFormat::Ogg, folder.path(), 4.0, "long").string());
        playlist.addCommandLineFiles(paths);
        playlist.selectEntryAtRow(0);
    }
    void TearDown() override { playlist.setRows(nullptr); }

    EntrySerial serialAt(int entry) {
        return playlist.access([entry](PlaylistContents& contents, RowLog&) {
            return contents.entries[static_cast<std::size_t>(entry)].serial;
        });
    }
    int current() {
        return playlist.access([](PlaylistContents& contents, RowLog&) { return contents.current; });
    }
    std::int32_t position(int entry) {
        return playlist.access([entry](PlaylistContents& contents, RowLog&) {
            return getMediaPosition(contents.entries[static_cast<std::size_t>(entry)].media.get());
        });
    }
    // Runs the loop's per-pass duties until `done` holds.
    bool passUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(8)) {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < end) {
            transport.passDuties();
            if (done()) {
                return true;
            }
        }
        return false;
    }

    TempDir folder;
    ScopedRequester requests;
    PlaybackState playback;
    Playlist playlist{playback};
    RecordedView view;
    Transport transport{playlist, playback, view};
    std::vector<std::string> paths;
};

TEST(DialVolume, SpansMinus70To0DecibelsRoundingHalfToEven) {
    EXPECT_EQ(dialVolume(0.0F), -70);
    EXPECT_EQ(dialVolume(140.0F), 0);
    EXPECT_EQ(dialVolume(50.0F), -45);
    EXPECT_EQ(dialVolume(1.0F), -70);  // -69.5
    EXPECT_EQ(dialVolume(3.0F), -68);  // -68.5
}

TEST_F(TransportTest, PlayPauseNeedsTwoPressesFromRestThePlayButtonOne) {
    transport.togglePause();
    EXPECT_FALSE(playback.playing);
    EXPECT_TRUE(playback.paused);
    transport.togglePause();
    EXPECT_TRUE(playback.playing);
    EXPECT_FALSE(playback.paused);

    transport.stop();
    EXPECT_FALSE(playback.playing);
    EXPECT_EQ(view.sliderValue, 0);
    transport.togglePause();  // pauses, as "paused" was clear
    EXPECT_TRUE(playback.paused);
    EXPECT_FALSE(playback.playing);

    transport.play();
    EXPECT_TRUE(playback.playing);
    EXPECT_TRUE(playback.paused) << "play leaves the pause flag alone";
    transport.togglePause();  // resumes the running entry
    EXPECT_FALSE(playback.paused);
}

TEST_F(TransportTest, NextAndPreviousMoveAndSelectButStopAtTheEnds) {
    transport.previous();
    EXPECT_EQ(current(), 0) << "previous on the first entry does nothing";

    transport.play();
    transport.next();
    EXPECT_EQ(current(), 1);
    EXPECT_EQ(view.selected, 1);
    transport.next();
    EXPECT_EQ(current(), 2);
    transport.next();
    EXPECT_EQ(current(), 2) << "the last entry stays current";
    EXPECT_EQ(position(2), 0);
    EXPECT_TRUE(playback.playing) << "the flags do not change";

    transport.previous();
    EXPECT_EQ(current(), 1);
    EXPECT_EQ(view.selected, 1);
}

TEST_F(TransportTest, SkipsMoveByATwentiethOnlyWhilePlaying) {
    playlist.selectEntryAtRow(2);  // four seconds long
    transport.skipForward();
    EXPECT_EQ(position(2), 0) << "no skip at rest";

    transport.play();
    transport.skipForward();
    EXPECT_NEAR(position(2), 200, 60);
    transport.skipBack();
    transport.skipBack();
    EXPECT_LT(position(2), 60) << "a skip before the start lands at the start";
}

TEST_F(TransportTest, SeekToSliderOnlyWhilePlaying) {
    playlist.selectEntryAtRow(2);
    transport.seekToSlider(2000);
    EXPECT_EQ(position(2), 0);
    transport.play();
    transport.seekToSlider(2000);
    EXPECT_NEAR(position(2), 2000, 60);
}

TEST_F(TransportTest, PlayingARowsEntryStopsTheOthersAndStartsIt) {
    transport.play();
    transport.playEntry(noEntry);
    EXPECT_EQ(current(), 0) << "no row selected: nothing happens";
    transport.playEntry(serialAt(2));
    EXPECT_EQ(current(), 2);
    EXPECT_TRUE(playback.playing);
    EXPECT_EQ(position(0), 0);

    // A row still showing an entry that is gone plays nothing.
    const EntrySerial first = serialAt(0);
    transport.removeEntry(first);
    transport.playEntry(first);
    EXPECT_EQ(playlist.currentTitle(), "long.ogg");
}

TEST_F(TransportTest, PlaysThroughToTheEndAndShowsProgress) {
    transport.refreshProgress();
    EXPECT_EQ(view.titleText, "") << "nothing plays: the title display is empty";

    transport.play();
    ASSERT_TRUE(passUntil([&] { return view.sliderMaximum > 0; }));
    EXPECT_NEAR(view.sliderMaximum, 1000, 20);
    transport.refreshProgress();
    EXPECT_EQ(view.titleText, "first.wav");
    EXPECT_EQ(view.statusTitle, "first.wav");
    EXPECT_EQ(view.statusTime.substr(view.statusTime.size() - 8), " / 00:01");

    ASSERT_TRUE(passUntil([&] { return current() == 1; })) << "the first track ends and the next starts";
    EXPECT_EQ(view.selected, 1);
    ASSERT_TRUE(passUntil([&] { return current() == 2; }));

    // The last track ends: it is stopped and rewound and stays current.
    playlist.access([](PlaylistContents& contents, RowLog&) { seekMedia(contents.currentMedia(), 3900); });
    bool nearEnd = false;
    ASSERT_TRUE(passUntil([&] {
        const std::int32_t at = position(2);
        nearEnd = nearEnd || at >= 3900;
        return nearEnd && at == 0;
    })) << "the last track reaches its end and is rewound";
    EXPECT_EQ(current(), 2);
    EXPECT_EQ(position(2), 0);
    EXPECT_TRUE(playback.playing);
    transport.refreshProgress();
    EXPECT_EQ(view.statusTime, "00:00 / 00:04");
}

TEST_F(TransportTest, AnEntryStartsAtTheDialsVolumeWhicheverWayItStarts) {
    view.dial = 40.0F;  // -50 dB
    const double factor = std::pow(10.0, -50.0 / 20.0);
    const auto volumeOf = [&](int entry) {
        return playlist.access([entry](PlaylistContents& contents, RowLog&) {
            return contents.entries[static_cast<std::size_t>(entry)].media->volume();
        });
    };
    transport.play();
    EXPECT_NEAR(volumeOf(0), factor, 1e-6);
    transport.next();  // as the end of a file does
    EXPECT_NEAR(volumeOf(1), factor, 1e-6);
    view.dial = 20.0F;
    transport.previous();
    EXPECT_NEAR(volumeOf(0), std::pow(10.0, -60.0 / 20.0), 1e-6);
}

TEST_F(TransportTest, DeletingRowsKeepsWhatPlaysAndThePlayingRowsSuccessorPlaysOn) {
    const auto state = [&] {
        return playlist.access([](PlaylistContents& c, RowLog&) { return getMediaState(c.currentMedia()); });
    };
    transport.playEntry(serialAt(1));
    transport.removeEntry(serialAt(0));  // above the playing entry
    EXPECT_EQ(playlist.currentTitle(), "second.wav");
    EXPECT_EQ(state(), MediaState::Running);

    transport.removeEntry(serialAt(0));  // the playing entry itself
    EXPECT_EQ(playlist.currentTitle(), "long.ogg");
    EXPECT_EQ(state(), MediaState::Running) << "the entry in its place plays on";

    transport.togglePause();
    playlist.addFile(paths[0], Playlist::Added::KeepsCurrent);
    transport.removeEntry(serialAt(0));  // paused: the successor is left paused
    EXPECT_EQ(playlist.currentTitle(), "first.wav");
    EXPECT_EQ(state(), MediaState::Paused);

    transport.stop();
    transport.removeEntry(serialAt(0));  // the only entry: an empty, silent player
    EXPECT_EQ(playlist.size(), 0U);
}

TEST_F(TransportTest, EveryCommandOnAnEmptyPlaylistDoesNothing) {
    playlist.clearPlaylist();
    playback.playing = true;
    transport.play();
    transport.togglePause();
    transport.stop();
    transport.next();
    transport.previous();
    transport.skipBack();
    transport.skipForward();
    transport.seekToSlider(100);
    transport.playEntry(1);
    transport.passDuties();
    EXPECT_TRUE(playback.playing);
    EXPECT_FALSE(playback.paused);
    EXPECT_EQ(view.sliderMaximum, -1);
}

}  // namespace
}  // namespace tonlira::test
