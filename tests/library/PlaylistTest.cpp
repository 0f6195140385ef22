// The playlist on real media: adding files from the command line and the
// open-file dialog, removing and clearing, which entry is current afterwards,
// and sharing the playlist with a worker thread.

#include "library/Playlist.h"
#include "support/RecordingRequester.h"
#include "support/TempDir.h"
#include "support/TestMedia.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace tonlira::test {
namespace {

struct Row {
    std::string title;
    std::string length;
    EntrySerial serial = noEntry;
};

// The rows as a view would show them.
class RecordedRows final : public PlaylistRows {
public:
    void appendRow(const std::string& title, const std::string& length, EntrySerial serial) override {
        rows.push_back({title, length, serial});
    }
    void removeRow(int row) override { rows.erase(rows.begin() + row); }
    void clearRows() override { rows.clear(); }
    void selectRow(int row) override { selected = row; }

    std::vector<Row> rows;
    int selected = -1;
};

class PlaylistTest : public ::testing::Test {
protected:
    void SetUp() override {
        setAudioOutput("fakesink sync=true");
        playlist.setRows(&view);
        wav = TestMedia::make(TestFormat::Wav, folder.path(), 1.0, "one").string();
        ogg = TestMedia::make(TestFormat::Ogg, folder.path(), 1.0, "two").string();
        flac = TestMedia::make(TestFormat::Flac, folder.path(), 1.0, "three").string();
    }
    void TearDown() override { playlist.setRows(nullptr); }

    int current() {
        return playlist.access([](PlaylistContents& contents, RowLog&) { return contents.current; });
    }
    std::string currentTitleText() { return playlist.currentTitle(); }
    MediaObject* mediaAt(int i) {
        return playlist.access([i](PlaylistContents& contents, RowLog&) {
            return contents.entries[static_cast<std::size_t>(i)].media.get();
        });
    }

    TempDir folder;
    ScopedRequester requests;
    PlaybackState playback;
    Playlist playlist{playback};
    RecordedRows view;
    std::string wav, ogg, flac;
};

TEST_F(PlaylistTest, CommandLineAddsAudioFilesByTheirExactExtension) {
    std::filesystem::copy_file(wav, folder / "LOUD.WAV");
    playlist.addCommandLineFiles({wav, (folder / "LOUD.WAV").string(), (folder / "notes.txt").string(),
                                  (folder.path() / "dir.mp3" / "noextension").string(), ogg});
    ASSERT_EQ(view.rows.size(), 2U);
    EXPECT_EQ(view.rows[0].title, "one.wav");
    EXPECT_EQ(view.rows[0].length, "00:01");
    EXPECT_EQ(view.rows[1].title, "two.ogg");
    EXPECT_EQ(current(), 1) << "the last file added is current";
    EXPECT_EQ(requests->messageCount(), 0U);
}

TEST_F(PlaylistTest, TitlesAndExtensions) {
    EXPECT_EQ(Playlist::titleOf("/music/a song.mp3"), "a song.mp3");
    EXPECT_EQ(Playlist::titleOf("/music/Live\\b.wma"), "Live\\b.wma") << "only / separates";
    EXPECT_EQ(Playlist::titleOf("\"/music/quoted.ogg\""), "quoted.ogg");
    EXPECT_EQ(Playlist::titleOf("\"plain.ogg\""), "plain.ogg");
    EXPECT_TRUE(Playlist::hasAudioExtension("/x/y.flac"));
    EXPECT_FALSE(Playlist::hasAudioExtension("/x/y.Flac"));
    EXPECT_FALSE(Playlist::hasAudioExtension("/x.mp3/y"));
    EXPECT_FALSE(Playlist::hasAudioExtension("/x/y"));
}

TEST_F(PlaylistTest, AFileThatDoesNotLoadStaysAsASilentEntry) {
    const auto corrupt = TestMedia::make(TestFormat::Corrupt, folder.path(), 1.0, "broken");
    playlist.addFile(corrupt.string());
    ASSERT_EQ(view.rows.size(), 1U);
    EXPECT_EQ(view.rows[0].length, "00:00");
    ASSERT_EQ(requests->messageCount(), 1U);
    EXPECT_EQ(requests->messages()[0].request.text, "Rendering of following file failed: \r\n" + corrupt.string());
}

TEST_F(PlaylistTest, OpenFilesReplacesOrAppendsAndSettlesTheCurrentEntry) {
    playlist.openFiles(true, {wav, ogg});
    ASSERT_EQ(view.rows.size(), 2U);
    EXPECT_EQ(current(), 0) << "nothing plays: the first entry becomes current";

    // Appending while the second entry plays keeps it current.
    playlist.selectEntryAtRow(1);
    playback.playing = true;
    playlist.openFiles(false, {flac});
    ASSERT_EQ(view.rows.size(), 3U);
    EXPECT_EQ(view.rows[2].title, "three.flac");
    EXPECT_EQ(current(), 1);

    // A cancelled dialog keeps the playing entry current...
    playlist.openFiles(false, {});
    EXPECT_EQ(current(), 1);
    // ...and, with nothing playing, makes the first one current.
    playback.playing = false;
    playlist.openFiles(false, {});
    EXPECT_EQ(current(), 0);
    EXPECT_EQ(view.rows.size(), 3U);

    // Replacing while playing stops everything and starts over at the first.
    playback.playing = true;
    playlist.openFiles(true, {flac});
    EXPECT_FALSE(playback.playing);
    ASSERT_EQ(view.rows.size(), 1U);
    EXPECT_EQ(currentTitleText(), "three.flac");
}

TEST_F(PlaylistTest, RemovingKeepsTheCurrentEntryItself) {
    playlist.addCommandLineFiles({wav, ogg, flac, wav});
    playlist.selectEntryAtRow(1);
    playback.playing = true;

    // Below it, then above it: the same entry stays current.
    EXPECT_FALSE(playlist.removeEntry(view.rows[3].serial).current);
    EXPECT_EQ(currentTitleText(), "two.ogg");
    EXPECT_FALSE(playlist.removeEntry(view.rows[0].serial).current);
    ASSERT_EQ(view.rows.size(), 2U);
    EXPECT_EQ(view.rows[0].title, "two.ogg");
    EXPECT_EQ(current(), 0);

    // The current entry itself: the one moving into its row becomes current,
    // and the caller learns how the removed one played.
    runMedia(mediaAt(0));
    const Playlist::Removed removed = playlist.removeEntry(view.rows[0].serial);
    EXPECT_TRUE(removed.current);
    EXPECT_EQ(removed.state, MediaState::Running);
    EXPECT_EQ(currentTitleText(), "three.flac");
    EXPECT_TRUE(playback.playing);

    const EntrySerial last = view.rows[0].serial;
    playlist.removeEntry(last);
    EXPECT_TRUE(view.rows.empty());
    EXPECT_EQ(current(), -1);

    // An entry the view still showed but the playlist no longer has is
    // ignored.
    EXPECT_FALSE(playlist.removeEntry(last).any);
    EXPECT_FALSE(playlist.removeEntry(noEntry).any);
    playlist.selectEntryAtRow(-1);
    EXPECT_EQ(current(), -1);
}

TEST_F(PlaylistTest, RemovingTheCurrentLastEntryMakesTheNewLastOneCurrent) {
    playlist.addCommandLineFiles({wav, ogg, flac});
    EXPECT_EQ(currentTitleText(), "three.flac");
    EXPECT_EQ(playlist.removeEntry(view.rows[2].serial).state, MediaState::Stopped);
    EXPECT_EQ(currentTitleText(), "two.ogg");
}

TEST_F(PlaylistTest, ClearingFreesEverythingButLeavesAnEmptyPlaylistAlone) {
    playback.playing = true;
    playlist.clearPlaylist();
    EXPECT_TRUE(playback.playing) << "clearing an empty playlist changes nothing";

    playlist.addCommandLineFiles({wav, ogg});
    runMedia(mediaAt(1));
    playback.paused = true;
    playlist.clearPlaylist();
    EXPECT_FALSE(playback.playing);
    EXPECT_TRUE(playback.paused);
    EXPECT_TRUE(view.rows.empty());
    EXPECT_EQ(playlist.size(), 0U);
    EXPECT_EQ(current(), -1);
}

TEST_F(PlaylistTest, AViewAttachedLateShowsTheEntriesAlreadyThere) {
    playlist.addCommandLineFiles({wav, ogg});
    RecordedRows late;
    playlist.setRows(&late);
    ASSERT_EQ(late.rows.size(), 2U);
    EXPECT_EQ(late.rows[1].title, "two.ogg");
}

// A worker refills the playlist while the GUI thread keeps using the current
// entry, as the folder loader and the main loop do. Rows reach the view only
// on the GUI thread and always match the entries once flushed.
TEST_F(PlaylistTest, AWorkerRefillsThePlaylistWhileTheGuiThreadUsesIt) {
    const std::thread::id guiThread = std::this_thread::get_id();
    std::atomic<bool> rowsOffGuiThread{false};
    class CheckingRows final : public PlaylistRows {
    public:
        CheckingRows(RecordedRows& inner, std::thread::id gui, std::atomic<bool>& offGui)
            : inner_(inner), gui_(gui), offGui_(offGui) {}
        void appendRow(const std::string& t, const std::string& l, EntrySerial s) override {
            check();
            inner_.appendRow(t, l, s);
        }
        void removeRow(int row) override {
            check();
            inner_.removeRow(row);
        }
        void clearRows() override {
            check();
            inner_.clearRows();
        }
        void selectRow(int row) override {
            check();
            inner_.selectRow(row);
        }

    private:
        void check() {
            if (std::this_thread::get_id() != gui_) {
                offGui_ = true;
            }
        }
        RecordedRows& inner_;
        std::thread::id gui_;
        std::atomic<bool>& offGui_;
    } checking(view, guiThread, rowsOffGuiThread);
    playlist.setRows(&checking);

    constexpr int rounds = 6;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        for (int round = 0; round < rounds; ++round) {
            playlist.clearPlaylist();
            for (const std::string& path : {wav, ogg, flac, wav}) {
                playlist.addFile(path);
            }
        }
        done = true;
    });
    while (!done) {
        playlist.access([](PlaylistContents& contents, RowLog&) {
            MediaObject* media = contents.currentMedia();
            runMedia(media);
            getMediaPosition(media);
            isMediaComplete(media);
            stopMedia(media);
        });
        if (!view.rows.empty()) {
            // The view's last row, which may show an entry already gone.
            playlist.removeEntry(view.rows.back().serial);
        }
        QCoreApplication::processEvents();
    }
    worker.join();
    QCoreApplication::processEvents();
    playlist.flushRows();

    EXPECT_FALSE(rowsOffGuiThread);
    EXPECT_EQ(view.rows.size(), playlist.size());
    for (std::size_t i = 0; i < view.rows.size(); ++i) {
        EXPECT_EQ(view.rows[i].title,
                  playlist.access([i](PlaylistContents& c, RowLog&) { return c.entries[i].title; }));
    }
    playlist.setRows(&view);
}

}  // namespace
}  // namespace tonlira::test
