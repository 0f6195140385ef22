// What a person does on the player window, through the real main loop: the
// volume dial drag, the Delete key, double-clicks, the transport buttons and
// the colours.

#include "AppFixture.h"

#include "support/TestMedia.h"
#include "ui/ImageControl.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSlider>
#include <QTreeWidget>

namespace tonlira::test {
namespace {

class InteractionTest : public AppFixture {
protected:
    void startWithFiles(int count) {
        std::vector<std::string> files;
        for (int i = 0; i < count; ++i) {
            files.push_back(TestMedia::make(TestFormat::Wav, media.path(), 1.0, "song" + std::to_string(i)).string());
        }
        ASSERT_TRUE(start(files));
        app->window->activateWindow();
        QApplication::setActiveWindow(app->window.get());
    }
    int current() {
        return app->playlist.access([](PlaylistContents& contents, RowLog&) { return contents.current; });
    }
    QTreeWidget& rows() { return *app->window->playlistView(); }
    void pressKey(Qt::Key key, QEvent::Type type) {
        QKeyEvent event(type, key, Qt::NoModifier);
        QApplication::sendEvent(app->window.get(), &event);
    }
    void mouse(QWidget* target, QEvent::Type type, Qt::MouseButtons buttons) {
        const QPointF at(5, 5);
        QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }

    TempDir media;
};

TEST_F(InteractionTest, TheDialFollowsTheMouseWhileTheButtonIsHeld) {
    ASSERT_TRUE(start());
    Dial* dial = app->window->volumeDial();
    QWidget* control = app->window->control(ControlId::VolumeDial);
    const QPoint centre = control->mapToGlobal(QPoint(65, 65));

    QCursor::setPos(centre + QPoint(0, -40));  // straight above the centre
    mouse(control, QEvent::MouseButtonPress, Qt::LeftButton);
    passes(3);
    EXPECT_TRUE(app->dialDragging);
    EXPECT_FLOAT_EQ(getDialValue(dial), 70.0F);

    QCursor::setPos(centre + QPoint(40, 0));  // right of the centre
    passes(2);
    EXPECT_FLOAT_EQ(getDialValue(dial), 112.0F);

    mouse(control, QEvent::MouseButtonRelease, Qt::NoButton);
    passes(2);
    EXPECT_FALSE(app->dialDragging);
    QCursor::setPos(centre + QPoint(0, -40));
    passes(2);
    EXPECT_FLOAT_EQ(getDialValue(dial), 112.0F) << "the dial stays once the button is up";
}

TEST_F(InteractionTest, DeleteRemovesTheSelectedRowOnlyWhileThePlayerIsActive) {
    startWithFiles(3);
    ASSERT_EQ(rows().topLevelItemCount(), 3);

    pressKey(Qt::Key_Delete, QEvent::KeyPress);
    passes(2);
    EXPECT_EQ(rows().topLevelItemCount(), 3) << "no row selected";

    rows().topLevelItem(0)->setSelected(true);
    passes(5);
    EXPECT_EQ(rows().topLevelItemCount(), 2);
    EXPECT_EQ(app->playlist.size(), 2U);
    passes(5);
    EXPECT_EQ(rows().topLevelItemCount(), 2) << "holding the key removes nothing more";
    pressKey(Qt::Key_Delete, QEvent::KeyRelease);

    // A tap that begins and ends between two passes counts once; the list
    // keeps the keyboard focus.
    rows().setFocus();
    rows().topLevelItem(0)->setSelected(true);
    pressKey(Qt::Key_Delete, QEvent::KeyPress);
    pressKey(Qt::Key_Delete, QEvent::KeyRelease);
    passes(3);
    EXPECT_EQ(rows().topLevelItemCount(), 1);
    EXPECT_TRUE(rows().hasFocus());

    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    pressKey(Qt::Key_Delete, QEvent::KeyPress);
    rows().topLevelItem(0)->setSelected(true);
    passes(3);
    EXPECT_EQ(rows().topLevelItemCount(), 1) << "another window is in the foreground";
    pressKey(Qt::Key_Delete, QEvent::KeyRelease);
}

TEST_F(InteractionTest, DoubleClickPlaysTheSelectedRowAndNothingWithoutOne) {
    startWithFiles(2);
    post(Event::control(WindowId::Player, ControlId::PlaylistView, ControlEventType::LeftDoubleClick));
    passes(3);
    EXPECT_FALSE(app->playback.playing);

    rows().topLevelItem(0)->setSelected(true);
    post(Event::control(WindowId::Player, ControlId::PlaylistView, ControlEventType::LeftDoubleClick));
    passes(3);
    EXPECT_TRUE(app->playback.playing);
    EXPECT_EQ(current(), 0);

    // The track ends and the next one follows, with its row selected.
    EXPECT_TRUE(passUntil([&] { return current() == 1; }));
    EXPECT_TRUE(rows().topLevelItem(1)->isSelected());
    EXPECT_TRUE(passUntil([&] { return app->window->titleDisplay()->text == "song1.wav"; }));
}

TEST_F(InteractionTest, ButtonsAndMenuDriveTheTransport) {
    startWithFiles(2);
    static_cast<QAbstractButton*>(app->window->control(ControlId::PlayButton))->click();
    passes(3);
    EXPECT_TRUE(app->playback.playing);
    EXPECT_EQ(current(), 1) << "the last file named is current";

    choose(MenuId::Stop);
    EXPECT_FALSE(app->playback.playing);
    choose(MenuId::Previous);
    EXPECT_EQ(current(), 0);
    choose(MenuId::ClearPlaylist);
    EXPECT_EQ(rows().topLevelItemCount(), 0);
    EXPECT_EQ(current(), -1);
}

TEST_F(InteractionTest, OpenFileReplacesThePlaylistFromTheMusicFolder) {
    setenv("Userprofile", "/home/listener", 1);
    startWithFiles(1);
    const auto chosen = TestMedia::make(TestFormat::Ogg, media.path(), 1.0, "chosen");
    requests->answerFiles({chosen.string()});
    choose(MenuId::OpenFile);
    unsetenv("Userprofile");
    EXPECT_EQ(requests->lastFilesStartFolder(), "/home/listener/Music/");
    EXPECT_EQ(requests->lastFilesFilter(),
              "Audio Dateien (.mp3, .wav, .wma, .ogg, .flac)|*.mp3;*.wav;*.wma;*.ogg;*.flac");
    ASSERT_EQ(rows().topLevelItemCount(), 1);
    EXPECT_EQ(rows().topLevelItem(0)->text(0), "chosen.ogg");
    EXPECT_EQ(rows().topLevelItem(0)->text(1), "00:01");
}

TEST_F(InteractionTest, AppliedColoursLandOnEveryPlace) {
    ASSERT_TRUE(start());
    PlayerLook look = app->look();
    look.background = makeColour(1, 2, 3);
    look.player = makeColour(10, 20, 30);
    look.dialFace = makeColour(40, 50, 60);
    look.displayText = makeColour(70, 80, 90);
    look.playlist = makeColour(100, 110, 120);
    look.library = makeColour(130, 140, 150);
    app->window->applyColours(look);

    auto colourOf = [](QWidget* widget, QPalette::ColorRole role) {
        return fromQColor(widget->palette().color(role));
    };
    EXPECT_EQ(colourOf(app->window->clientArea(), QPalette::Window), look.background);
    for (ControlId panel : {ControlId::PlayerPanel, ControlId::LibraryPanel, ControlId::PlaylistPanel}) {
        EXPECT_EQ(colourOf(app->window->control(panel), QPalette::Window), look.player);
    }
    EXPECT_EQ(colourOf(app->window->playlistView(), QPalette::Base), look.playlist);
    EXPECT_EQ(colourOf(app->window->control(ControlId::LibraryTree), QPalette::Base), look.library);
    EXPECT_EQ(colourOf(app->window->control(ControlId::LibraryFiles), QPalette::Base), look.library);
    EXPECT_EQ(app->window->titleDisplay()->textColour, look.displayText);
    EXPECT_EQ(app->window->titleDisplay()->backgroundColour, 0U);
    EXPECT_EQ(app->window->volumeDial()->faceColour, look.dialFace);
    EXPECT_EQ(app->window->volumeDial()->backgroundColour, look.player);
    EXPECT_EQ(app->window->volumeDial()->image.pixelColor(0, 0), toQColor(look.player));
}

}  // namespace
}  // namespace tonlira::test
