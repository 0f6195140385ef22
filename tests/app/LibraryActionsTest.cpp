// The audio library and the folder loader through the real program: the
// stored library at start and after quitting, clearing it, what a folder
// shows, the add-folder dialog driven by its buttons, "Ordner Öffnen" and
// "In Playlist einreihen", and quitting in the middle of a load.

#include "AppFixture.h"

#include "app/Application.h"
#include "app/LibraryActions.h"
#include "support/TestMedia.h"

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

#include <cstdlib>

namespace tonlira::test {
namespace {

namespace fs = std::filesystem;

class LibraryActionsTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        setenv("Userprofile", profile.path().c_str(), 1);
        fs::create_directories(music());
        fs::create_directories(prefsPath().parent_path());
    }
    void TearDown() override {
        AppFixture::TearDown();
        unsetenv("Userprofile");
    }
    fs::path music() const { return profile.path() / "Music"; }
    std::string musicPath() const { return music().string() + "/"; }

    // Quits like "Beenden" and starts the program again on the same files.
    void restart() {
        choose(MenuId::Quit);
        shutDown(*app);
        app.reset();
        app = std::make_unique<AppState>();
        ASSERT_TRUE(start());
    }
    // The tree's top-level rows, as shown, each followed by its children.
    std::vector<std::string> treeRows() {
        std::vector<std::string> shown;
        QTreeWidget* tree = app->window->libraryTree();
        for (int i = 0; i < tree->topLevelItemCount(); ++i) {
            QTreeWidgetItem* item = tree->topLevelItem(i);
            shown.push_back(item->text(0).toStdString());
            for (int c = 0; c < item->childCount(); ++c) {
                shown.push_back("  " + item->child(c)->text(0).toStdString());
            }
        }
        return shown;
    }
    QTreeWidgetItem* treeRow(const std::string& text) {
        const auto found = app->window->libraryTree()->findItems(QString::fromStdString(text),
                                                                 Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.front();
    }
    std::vector<std::string> fileList() {
        std::vector<std::string> names;
        for (int i = 0; i < app->window->libraryFiles()->count(); ++i) {
            names.push_back(app->window->libraryFiles()->item(i)->text().toStdString());
        }
        return names;
    }
    std::vector<std::string> playlistTitles() {
        std::vector<std::string> titles;
        QTreeWidget* view = app->window->playlistView();
        for (int i = 0; i < view->topLevelItemCount(); ++i) {
            titles.push_back(view->topLevelItem(i)->text(0).toStdString());
        }
        return titles;
    }
    int current() {
        return app->playlist.access([](PlaylistContents& contents, RowLog&) { return contents.current; });
    }
    void click(ControlId id) {
        ASSERT_TRUE(app->addFolderDialog);
        app->addFolderDialog->button(id)->click();
        passUntil([this] { return app->events.empty(); });
        passes(2);
    }
    void put(TestFormat format, const fs::path& path) {
        fs::create_directories(path.parent_path());
        fs::copy_file(TestMedia::shared(format, 0.5), path);
    }

    TempDir profile;
};

TEST_F(LibraryActionsTest, TheStoredLibraryComesBackInInsertionOrder) {
    writeFile(prefsPath(),
              "[Bibliothek]\r\nZebra:0 = /z/\r\nStreifen:1 = /z/Streifen\r\nAlpha:0 = /a/\r\n"
              "Jazz:1 = /a/Jazz\r\nJazz:1:~4 = /a2/Jazz\r\n");
    ASSERT_TRUE(start());
    EXPECT_EQ(treeRows(), (std::vector<std::string>{"Zebra", "  Streifen", "Alpha", "  Jazz", "  Jazz"}));
    ASSERT_EQ(app->library.size(), 5U);
    restart();
    EXPECT_EQ(treeRows(), (std::vector<std::string>{"Zebra", "  Streifen", "Alpha", "  Jazz", "  Jazz"}));
    EXPECT_EQ(app->library[4].path, "/a2/Jazz");
}

TEST_F(LibraryActionsTest, ClearingAsksFirstAndOnlyYesEmptiesTheLibrary) {
    writeFile(prefsPath(), "[Bibliothek]\r\nMusik:0 = /m/\r\n");
    ASSERT_TRUE(start());
    requests->answerConfirm(false);
    choose(MenuId::ClearLibrary);
    ASSERT_EQ(requests->messageCount(), 1U);
    EXPECT_EQ(requests->messages()[0].request.title, "Tonlira");
    EXPECT_EQ(requests->messages()[0].request.text, "Möchten sie wirklich die gesamte Audiobibliothek leeren?");
    EXPECT_EQ(treeRows(), std::vector<std::string>{"Musik"});

    requests->answerConfirm(true);
    choose(MenuId::ClearLibrary);
    EXPECT_TRUE(treeRows().empty());
    EXPECT_EQ(readFile(prefsPath()).find("Bibliothek"), std::string::npos);
    restart();
    EXPECT_TRUE(treeRows().empty());
}

TEST_F(LibraryActionsTest, SelectingARowShowsItsFolderAndAVanishedFolderShowsNothing) {
    fs::create_directories(music() / "Jazz");
    for (const char* name : {"b.mp3", "A.ogg", "c.MP3", "d.txt"}) {
        writeFile(music() / name, "x");
    }
    writeFile(prefsPath(), "[Bibliothek]\r\nMusic:0 = " + musicPath() + "\r\nWeg:0 = /nirgends/\r\n");
    ASSERT_TRUE(start());
    treeRow("Music")->setSelected(true);
    passes(3);
    EXPECT_EQ(fileList(), (std::vector<std::string>{"A.ogg", "b.mp3", "Jazz"}));
    app->window->libraryTree()->clearSelection();
    treeRow("Weg")->setSelected(true);
    passes(3);
    EXPECT_TRUE(fileList().empty());
}

TEST_F(LibraryActionsTest, TheAddFolderDialogCollectsAndRegistersFolders) {
    for (const char* sub : {"Zebra/z1", "Alpha/a1", "Alpha/a2", "Gone"}) {
        fs::create_directories(music() / sub);
    }
    writeFile(prefsPath(), "");
    ASSERT_TRUE(start());
    choose(MenuId::AddLibraryFolder);
    ASSERT_TRUE(app->addFolderDialog);
    AddFolderDialog* dialog = app->addFolderDialog;
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Ordner zur Audiobibliothek hinzufügen"));
    EXPECT_EQ(dialog->size(), QSize(521, 337));
    EXPECT_EQ(dialog->parentWidget(), app->window.get());
    EXPECT_EQ(dialog->folderTree()->geometry(), QRect(5, 35, 230, 245));
    EXPECT_EQ(dialog->list()->geometry(), QRect(295, 35, 220, 245));
    EXPECT_EQ(dialog->button(ControlId::AddFolderMoveRight)->geometry(), QRect(245, 100, 40, 40));
    EXPECT_EQ(dialog->button(ControlId::AddFolderMoveLeft)->geometry(), QRect(245, 170, 40, 40));
    EXPECT_EQ(dialog->button(ControlId::AddFolderCancel)->text(), QStringLiteral("Abbrechen"));
    EXPECT_EQ(dialog->button(ControlId::AddFolderCommit)->geometry(), QRect(320, 300, 195, 30));
    EXPECT_EQ(dialog->list()->headerItem()->text(0), QStringLiteral("Name"));
    EXPECT_EQ(dialog->list()->headerItem()->text(1), QStringLiteral("Pfad"));
    EXPECT_EQ(dialog->selectedFolder(), musicPath()) << "the music folder is selected";

    // The menu item again brings the same dialog to the front.
    choose(MenuId::AddLibraryFolder);
    EXPECT_EQ(app->addFolderDialog.data(), dialog);

    // Commit with an empty list does nothing; "<<" without a selection neither.
    click(ControlId::AddFolderCommit);
    ASSERT_TRUE(app->addFolderDialog);
    click(ControlId::AddFolderMoveLeft);

    dialog->selectFolder("/");
    click(ControlId::AddFolderMoveRight);
    dialog->selectFolder((music() / "Zebra").string());
    click(ControlId::AddFolderMoveRight);
    dialog->selectFolder((music() / "Gone").string());
    click(ControlId::AddFolderMoveRight);
    dialog->selectFolder((music() / "Alpha").string());
    click(ControlId::AddFolderMoveRight);
    using Rows = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(dialog->rows(), (Rows{{"/", "/"},
                                    {"Zebra", musicPath() + "Zebra/"},
                                    {"Gone", musicPath() + "Gone/"},
                                    {"Alpha", musicPath() + "Alpha/"}}));
    dialog->list()->topLevelItem(0)->setSelected(true);
    click(ControlId::AddFolderMoveLeft);
    EXPECT_EQ(dialog->rows().size(), 3U);

    fs::remove(music() / "Gone");  // deleted meanwhile: skipped
    click(ControlId::AddFolderCommit);
    EXPECT_FALSE(app->addFolderDialog) << "the commit closes the dialog";
    EXPECT_EQ(treeRows(), (std::vector<std::string>{"Alpha", "  a1", "  a2", "Zebra", "  z1"}));
    // A row stays bound to its element after the sort.
    treeRow("Alpha")->setSelected(true);
    passes(3);
    EXPECT_EQ(fileList(), (std::vector<std::string>{"a1", "a2"}));

    restart();
    EXPECT_EQ(treeRows(), (std::vector<std::string>{"Zebra", "  z1", "Alpha", "  a1", "  a2"}));
}

TEST_F(LibraryActionsTest, TheSortKeepsSelectionExpansionAndFilesAndEscapeKeepsTheDialog) {
    for (const char* sub : {"Zebra/z1", "Alpha/a1"}) {
        fs::create_directories(music() / sub);
    }
    ASSERT_TRUE(start());
    choose(MenuId::AddLibraryFolder);
    app->addFolderDialog->selectFolder((music() / "Zebra").string());
    click(ControlId::AddFolderMoveRight);
    click(ControlId::AddFolderCommit);
    QTreeWidget* tree = app->window->libraryTree();
    treeRow("Zebra")->setSelected(true);
    treeRow("Zebra")->setExpanded(true);
    ASSERT_TRUE(passUntil([this] { return fileList() == std::vector<std::string>{"z1"}; }));
    app->window->libraryFiles()->item(0)->setSelected(true);

    choose(MenuId::AddLibraryFolder);
    app->addFolderDialog->selectFolder((music() / "Alpha").string());
    click(ControlId::AddFolderMoveRight);
    QTest::keyClick(app->addFolderDialog->list(), Qt::Key_Escape);
    passes(3);
    ASSERT_TRUE(app->addFolderDialog) << "Escape does not close the dialog";
    EXPECT_EQ(app->addFolderDialog->rows().size(), 1U);
    click(ControlId::AddFolderCommit);
    passes(3);
    EXPECT_EQ(treeRows(), (std::vector<std::string>{"Alpha", "  a1", "Zebra", "  z1"}));
    EXPECT_EQ(tree->selectedItems(), QList<QTreeWidgetItem*>{treeRow("Zebra")});
    EXPECT_TRUE(treeRow("Zebra")->isExpanded());
    EXPECT_EQ(fileList(), std::vector<std::string>{"z1"});
    EXPECT_TRUE(app->window->libraryFiles()->item(0)->isSelected());

    // The keyboard's menu key opens the popup at the selected row.
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(5, 5), tree->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(tree, &menuKey);
    ASSERT_TRUE(passUntil([this] { return app->window->libraryPopup()->isVisible(); }));
    const QPoint row = tree->viewport()->mapToGlobal(tree->visualItemRect(treeRow("Zebra")).bottomLeft());
    EXPECT_LE((app->window->libraryPopup()->pos() - row).manhattanLength(), 2);
    app->window->libraryPopup()->hide();
}

TEST_F(LibraryActionsTest, CancelAndTheCloseBoxDiscardTheRows) {
    ASSERT_TRUE(start());
    choose(MenuId::AddLibraryFolder);
    click(ControlId::AddFolderMoveRight);
    click(ControlId::AddFolderCancel);
    EXPECT_FALSE(app->addFolderDialog);
    choose(MenuId::AddLibraryFolder);
    ASSERT_TRUE(app->addFolderDialog);
    EXPECT_TRUE(app->addFolderDialog->rows().empty()) << "each opening starts empty";
    app->addFolderDialog->close();
    passes(3);
    EXPECT_FALSE(app->addFolderDialog);
    EXPECT_TRUE(app->library.empty());
}

TEST_F(LibraryActionsTest, OpenFolderAndEnqueueLoadTheTreeIntoThePlaylist) {
    put(TestFormat::Wav, music() / "Set" / "b.wav");
    put(TestFormat::Ogg, music() / "Set" / "a.ogg");
    put(TestFormat::Flac, music() / "Set" / "Tief" / "c.flac");
    put(TestFormat::Wav, music() / "Set" / "Z.WAV");
    ASSERT_TRUE(start());

    requests->answerFolder((music() / "Set").string());
    choose(MenuId::OpenFolder);
    EXPECT_EQ(requests->lastFolderTitle(), "Musikordner Öffnen");
    EXPECT_EQ(requests->lastFilesStartFolder(), musicPath());
    ASSERT_TRUE(passUntil([this] { return !app->loader.running() && playlistTitles().size() == 3; }));
    EXPECT_EQ(playlistTitles(), (std::vector<std::string>{"a.ogg", "b.wav", "c.flac"}));
    EXPECT_EQ(current(), 0);

    // Cancelling the chooser changes nothing.
    choose(MenuId::OpenFolder);
    passes(3);
    EXPECT_EQ(playlistTitles().size(), 3U);

    // "In Playlist einreihen" on a level-1 row (its path has no "/" at the end).
    choose(MenuId::AddLibraryFolder);
    app->addFolderDialog->selectFolder(musicPath());
    click(ControlId::AddFolderMoveRight);
    click(ControlId::AddFolderCommit);
    treeRow("Set")->setSelected(true);
    passes(2);
    choose(MenuId::Enqueue);
    ASSERT_TRUE(passUntil([this] { return !app->loader.running() && playlistTitles().size() == 3; }));
    loadFolder(*app, (music() / "Set" / "Tief").string());
    ASSERT_TRUE(passUntil([this] { return !app->loader.running() && playlistTitles().size() == 1; }));
    EXPECT_EQ(playlistTitles(), std::vector<std::string>{"c.flac"});
}

TEST_F(LibraryActionsTest, QuittingDuringALoadStopsItAndKeepsThePreferences) {
    // Enough files that the quit comes long before the load's end: files
    // are read at header speed (links to one file cost no disk).
    constexpr std::size_t files = 5000;
    put(TestFormat::Wav, music() / "Viele" / "0.wav");
    for (std::size_t i = 1; i < files; ++i) {
        fs::create_hard_link(music() / "Viele" / "0.wav", music() / "Viele" / (std::to_string(i) + ".wav"));
    }
    writeFile(prefsPath(), "[Bibliothek]\r\nMusik:0 = /m/\r\n");
    ASSERT_TRUE(start());
    loadFolder(*app, (music() / "Viele").string());
    ASSERT_TRUE(passUntil([this] { return playlistTitles().size() >= 2; }));
    choose(MenuId::Quit);
    shutDown(*app);
    EXPECT_FALSE(app->loader.running());
    EXPECT_LT(app->playlist.size(), files);
    EXPECT_NE(readFile(prefsPath()).find("Musik:0 = /m/"), std::string::npos);
}

}  // namespace
}  // namespace tonlira::test
