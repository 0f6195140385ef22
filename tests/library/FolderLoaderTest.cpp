// The folder loader on real files: what a tree loads and in which order,
// trees that link into themselves, and the loader sharing the playlist with
// the GUI thread (run under ThreadSanitizer): playing and editing during a
// load, a load superseding another, and stopping in the middle of a load,
// also while the worker waits in a message box.

#include "library/FolderLoader.h"
#include "library/Playlist.h"
#include "platform/QtRequester.h"
#include "support/RecordingRequester.h"
#include "support/TempDir.h"
#include "support/TestMedia.h"
#include "support/Waits.h"

#include <QApplication>
#include <QMessageBox>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>

namespace tonlira::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class Rows final : public PlaylistRows {
public:
    void appendRow(const std::string& title, const std::string&, EntrySerial) override { titles.push_back(title); }
    void removeRow(int row) override { titles.erase(titles.begin() + row); }
    void clearRows() override { titles.clear(); }
    void selectRow(int) override {}
    std::vector<std::string> titles;
};

class FolderLoaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        setAudioOutput("fakesink sync=true");
        playlist.setRows(&rows);
    }
    void TearDown() override {
        loader.stop();
        playlist.setRows(nullptr);
    }

    // A copy of a short generated file of `format` at `path`.
    static void put(TestFormat format, const fs::path& path) {
        fs::create_directories(path.parent_path());
        fs::copy_file(TestMedia::shared(format, 0.5), path);
    }
    void finish() {
        while (loader.running()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        loader.waitUntilDone();
        QCoreApplication::processEvents();
    }
    std::vector<std::string> titles() {
        return playlist.access([](PlaylistContents& contents, RowLog&) {
            std::vector<std::string> all;
            for (const PlaylistEntry& entry : contents.entries) {
                all.push_back(entry.title);
            }
            return all;
        });
    }
    int current() {
        return playlist.access([](PlaylistContents& contents, RowLog&) { return contents.current; });
    }
    bool waitFor(const std::function<bool()>& done) {
        const auto end = std::chrono::steady_clock::now() + 20s;
        while (!done() && std::chrono::steady_clock::now() < end) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        return done();
    }
    // `count` wav files in `folder`, named 000.wav upwards.
    static void many(const fs::path& folder, int count) {
        for (int i = 0; i < count; ++i) {
            char name[16];
            std::snprintf(name, sizeof name, "%03d.wav", i);
            put(TestFormat::Wav, folder / name);
        }
    }

    TempDir dir;
    ScopedRequester requests;
    PlaybackState playback;
    Playlist playlist{playback};
    Rows rows;
    FolderLoader loader{playlist};
};

TEST_F(FolderLoaderTest, LoadsTheWholeTreeDepthFirstInListingOrder) {
    const fs::path top = dir / "Musik";
    put(TestFormat::Mp3Xing, top / "a.mp3");
    writeFile(top / "b.txt", "text");
    put(TestFormat::Flac, top / "c.flac");
    put(TestFormat::Wma, top / "x" / "d.wma");
    put(TestFormat::Ogg, top / "X2" / "tief" / "e.ogg");
    put(TestFormat::Wav, top / "Y.WAV");  // upper-case extension: not an audio file
    put(TestFormat::Wav, top / "音楽 🎵" / "Ärger.wav");
    put(TestFormat::Wav, top / "B.wav");

    // Something to be replaced, playing.
    playlist.addFile(TestMedia::shared(TestFormat::Wav, 0.5).string());
    playback.playing = true;

    loader.start(top.string() + "/");
    finish();
    const std::vector<std::string> expected{"a.mp3", "B.wav", "c.flac", "d.wma", "e.ogg", "Ärger.wav"};
    EXPECT_EQ(titles(), expected);
    EXPECT_EQ(rows.titles, expected);
    EXPECT_EQ(current(), 0);
    EXPECT_FALSE(playback.playing) << "the load cleared the playlist";
    EXPECT_EQ(requests->messageCount(), 0U);

    // A subfolder's path has no trailing "/"; a folder that cannot be listed
    // leaves an empty playlist.
    loader.start((top / "X2").string());
    finish();
    EXPECT_EQ(titles(), std::vector<std::string>{"e.ogg"});
    loader.start((dir / "vanished").string());
    finish();
    EXPECT_TRUE(titles().empty());
    EXPECT_EQ(current(), -1);
}

TEST_F(FolderLoaderTest, ATreeLinkingIntoItselfIsScannedOnce) {
    const fs::path top = dir / "top";
    put(TestFormat::Wav, top / "a.wav");
    put(TestFormat::Wav, top / "sub" / "b.wav");
    put(TestFormat::Wav, dir / "outside" / "c.wav");
    fs::create_directory_symlink(top, top / "sub" / "loop");     // back to the top
    fs::create_directory_symlink("..", top / "sub" / "parent");  // relative, same place
    fs::create_directory_symlink(dir / "outside", top / "l1");   // out of the tree ...
    fs::create_directory_symlink(dir / "outside", top / "l2");   // ... twice to the same folder
    fs::create_directory_symlink(dir / "nowhere", top / "dangling");
    const bool root = geteuid() == 0;
    if (!root) {
        put(TestFormat::Wav, top / "closed" / "d.wav");
        fs::permissions(top / "closed", fs::perms::none);
    }

    loader.start(top.string());
    finish();
    EXPECT_EQ(titles(), (std::vector<std::string>{"a.wav", "c.wav", "b.wav"}));
    if (!root) {
        fs::permissions(top / "closed", fs::perms::owner_all);
    }
}

// Files load at the speed of their headers: the trees below are large enough
// that a load is still running when the test acts on it.
constexpr int loadFiles = 400;

TEST_F(FolderLoaderTest, TheGuiThreadPlaysAndEditsWhileAFolderLoads) {
    many(dir / "big" / "one", loadFiles / 2);
    many(dir / "big" / "two", loadFiles / 2);
    loader.start((dir / "big").string());
    int cleared = 0;
    while (loader.running()) {
        playlist.access([&](PlaylistContents& contents, RowLog&) {
            MediaObject* media = contents.currentMedia();
            runMedia(media);
            getMediaPosition(media);
            setMediaVolume(media, -10);
            isMediaComplete(media);
            pauseMedia(media);
        });
        const std::size_t size = playlist.size();
        if (size > 3) {
            playlist.selectEntryAtRow(static_cast<int>(size) - 2);
            playlist.removeEntry(
                playlist.access([](PlaylistContents& contents, RowLog&) { return contents.entries[1].serial; }));
        }
        if (size > 25 && cleared == 0) {
            playlist.clearPlaylist();
            ++cleared;
        }
        QCoreApplication::processEvents();
    }
    finish();
    EXPECT_EQ(rows.titles, titles());
    // The GUI thread may have moved the current entry after the load ended.
    const int size = static_cast<int>(titles().size());
    EXPECT_TRUE(size == 0 ? current() == -1 : current() >= 0 && current() < size) << current();
    EXPECT_LT(titles().size(), static_cast<std::size_t>(loadFiles));
}

TEST_F(FolderLoaderTest, AFileAddedDuringALoadDoesNotMoveTheCurrentEntry) {
    many(dir / "f", loadFiles);
    loader.start((dir / "f").string());
    ASSERT_TRUE(waitFor([&] { return playlist.size() >= 3; }));
    playlist.selectEntryAtRow(1);
    const std::size_t seen = playlist.size();
    ASSERT_TRUE(waitFor([&] { return playlist.size() > seen || !loader.running(); }));
    const bool stillLoading = loader.running();
    if (stillLoading) {
        EXPECT_EQ(current(), 1) << "the entry made current stays current while files come in";
    }
    finish();
    if (stillLoading) {
        EXPECT_EQ(current(), 0) << "the finished load makes the first entry current";
    }
}

TEST_F(FolderLoaderTest, ASecondLoadSupersedesTheFirst) {
    many(dir / "first", 30);
    put(TestFormat::Ogg, dir / "second" / "z.ogg");
    put(TestFormat::Flac, dir / "second" / "y.flac");
    loader.start((dir / "first").string());
    ASSERT_TRUE(waitFor([&] { return playlist.size() >= 2; }));
    loader.start((dir / "second").string());
    loader.start((dir / "second").string());
    finish();
    EXPECT_EQ(titles(), (std::vector<std::string>{"y.flac", "z.ogg"}));
    EXPECT_EQ(rows.titles, titles());
}

TEST_F(FolderLoaderTest, StoppingInTheMiddleOfALoadEndsIt) {
    many(dir / "f", loadFiles);
    loader.start((dir / "f").string());
    ASSERT_TRUE(waitFor([&] { return playlist.size() >= 2; }));
    loader.stop();
    EXPECT_FALSE(loader.running());
    const std::size_t kept = playlist.size();
    EXPECT_LT(kept, static_cast<std::size_t>(loadFiles));
    EXPECT_TRUE(staysFor(50ms, [&] { return playlist.size() == kept; }))
        << "nothing is added after the stop: " << kept << " entries then, " << playlist.size() << " now";
    loader.stop();  // twice is harmless
}

TEST_F(FolderLoaderTest, StoppingReleasesAWorkerWaitingInAMessageBox) {
    installRequester(std::make_unique<QtRequester>());
    put(TestFormat::Corrupt, dir / "f" / "a.mp3");
    put(TestFormat::Corrupt, dir / "f" / "b.mp3");
    auto openBox = [] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (qobject_cast<QMessageBox*>(widget) != nullptr && widget->isVisible()) {
                return true;
            }
        }
        return false;
    };
    loader.start((dir / "f").string());
    ASSERT_TRUE(waitFor(openBox)) << "the worker shows the render failure";
    loader.stop();  // returns although nobody answered
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(openBox());
    EXPECT_EQ(playlist.size(), 1U);

    // After the stop, boxes of a new load show again.
    loader.start((dir / "f").string());
    ASSERT_TRUE(waitFor(openBox));
    loader.stop();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
}  // namespace tonlira::test
