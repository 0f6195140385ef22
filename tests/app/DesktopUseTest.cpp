// Everyday desktop use of the real window: files and folders dropped onto
// it, the keyboard alone, and the tooltips.

#include "AppFixture.h"

#include "support/TestMedia.h"
#include "transport/Transport.h"
#include "ui/ControlAids.h"
#include "ui/ImageControl.h"

#include <QApplication>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTreeWidget>
#include <QUrl>
#include <QWheelEvent>

#include <algorithm>

namespace tonlira::test {
namespace {

class DesktopUseTest : public AppFixture {
protected:
    std::string make(const std::filesystem::path& folder, const std::string& stem,
                     TestFormat format = TestFormat::Wav) {
        std::filesystem::create_directories(folder);
        return TestMedia::make(format, folder, 1.0, stem).string();
    }
    // Drags `paths` onto the middle of the window and drops them there.
    bool drop(const std::vector<std::string>& paths) {
        QMimeData data;
        QList<QUrl> urls;
        for (const std::string& path : paths) {
            urls.append(QUrl::fromLocalFile(QString::fromStdString(path)));
        }
        data.setUrls(urls);
        QWidget* window = app->window.get();
        const QPoint at = window->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &enter);
        if (!enter.isAccepted()) {
            return false;
        }
        QDropEvent dropped(QPointF(at), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &dropped);
        passes(5);
        return dropped.isAccepted();
    }
    std::vector<std::string> titles() {
        std::vector<std::string> shown;
        QTreeWidget* view = app->window->playlistView();
        for (int i = 0; i < view->topLevelItemCount(); ++i) {
            shown.push_back(view->topLevelItem(i)->text(0).toStdString());
        }
        return shown;
    }
    int current() {
        return app->playlist.access([](PlaylistContents& contents, RowLog&) { return contents.current; });
    }
    void key(QWidget* target, Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, k, modifiers);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, k, modifiers);
        QApplication::sendEvent(target, &release);
    }
    void activate() {
        app->window->activateWindow();
        QApplication::setActiveWindow(app->window.get());
        passes(2);
    }

    TempDir media;
};

TEST_F(DesktopUseTest, DroppedFilesAreAddedWithTheExtensionRuleAndKeepThePlayingEntry) {
    ASSERT_TRUE(start({make(media.path(), "playing")}));
    app->transport->play();
    const std::string upper = make(media / "up", "LOUD");
    std::filesystem::rename(upper, media / "up" / "LOUD.WAV");

    EXPECT_TRUE(drop(
        {make(media.path(), "a"), (media / "up" / "LOUD.WAV").string(), make(media.path(), "b", TestFormat::Ogg)}));
    EXPECT_EQ(titles(), (std::vector<std::string>{"playing.wav", "a.wav", "b.ogg"}));
    EXPECT_EQ(current(), 0) << "the playing entry stays current";
    EXPECT_TRUE(app->playback.playing);

    // A drag that holds nothing local is refused.
    QMimeData text;
    text.setText(QStringLiteral("nur Text"));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(app->window.get(), &enter);
    EXPECT_FALSE(enter.isAccepted());
}

TEST_F(DesktopUseTest, ADroppedFolderReplacesThePlaylistWithItsTree) {
    ASSERT_TRUE(start({make(media.path(), "old")}));
    const std::filesystem::path folder = media / "Alben";
    make(folder, "eins");
    make(folder / "CD2", "zwei", TestFormat::Flac);
    writeFile(folder / "cover.txt", "kein Ton");

    EXPECT_TRUE(drop({folder.string()}));
    EXPECT_TRUE(passUntil([&] { return titles().size() == 2; }));
    // As the folder loader lists: by name, folders and files interleaved.
    EXPECT_EQ(titles(), (std::vector<std::string>{"zwei.flac", "eins.wav"}));
}

TEST_F(DesktopUseTest, TabReachesEveryControlInOrderAndFocusIsVisible) {
    ASSERT_TRUE(start());
    activate();
    PlayerWindow& window = *app->window;
    choose(MenuId::ShowPlaylist);  // both side panels shown
    ASSERT_TRUE(passUntil([&] { return window.playlistView()->isVisible(); }));
    const std::vector<ControlId> expected{
        ControlId::PlayButton,        ControlId::PauseButton,    ControlId::StopButton,   ControlId::RewindButton,
        ControlId::FastForwardButton, ControlId::PreviousButton, ControlId::NextButton,   ControlId::PositionSlider,
        ControlId::VolumeDial,        ControlId::LibraryTree,    ControlId::LibraryFiles, ControlId::PlaylistView,
    };
    window.control(ControlId::PlayButton)->setFocus(Qt::TabFocusReason);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        QWidget* focused = QApplication::focusWidget();
        EXPECT_EQ(focused, window.control(expected[i])) << "Tab stop " << i;
        ASSERT_NE(focused, nullptr);
        key(focused, Qt::Key_Tab);
    }
    EXPECT_EQ(QApplication::focusWidget(), window.control(ControlId::PlayButton)) << "the chain closes";

    // The focused control looks different from the unfocused one.
    for (ControlId id : {ControlId::PlayButton, ControlId::VolumeDial}) {
        QWidget* control = window.control(id);
        window.control(ControlId::PlaylistView)->setFocus(Qt::TabFocusReason);
        const QImage without = control->grab().toImage();
        control->setFocus(Qt::TabFocusReason);
        EXPECT_NE(control->grab().toImage(), without) << "control " << static_cast<int>(id);
    }
}

TEST_F(DesktopUseTest, EnterOnARowPlaysItAsADoubleClickDoes) {
    ASSERT_TRUE(start({make(media.path(), "a"), make(media.path(), "b")}));
    activate();
    QTreeWidget* view = app->window->playlistView();
    view->setFocus();
    key(view, Qt::Key_Return);  // no row selected: nothing
    passes(5);
    EXPECT_FALSE(app->playback.playing);

    view->setCurrentItem(view->topLevelItem(0));
    key(view, Qt::Key_Down);
    key(view, Qt::Key_Enter);
    EXPECT_TRUE(passUntil([&] { return app->playback.playing.load(); }));
    EXPECT_EQ(current(), 1);
}

TEST_F(DesktopUseTest, TheDialTurnsOneMarkPerKeyAndWheelNotchWithinItsScale) {
    ASSERT_TRUE(start());  // the dial starts at 0 by default
    activate();
    Dial* dial = app->window->volumeDial();
    QWidget* control = app->window->control(ControlId::VolumeDial);
    control->setFocus();

    struct Turn {
        Qt::Key key;
        float expected;
    };
    for (const Turn& turn : {Turn{Qt::Key_Down, 0.0F}, Turn{Qt::Key_Up, 10.0F}, Turn{Qt::Key_Right, 20.0F},
                             Turn{Qt::Key_PageUp, 30.0F}, Turn{Qt::Key_Left, 20.0F}, Turn{Qt::Key_PageDown, 10.0F},
                             Turn{Qt::Key_End, 140.0F}, Turn{Qt::Key_Up, 140.0F}, Turn{Qt::Key_Home, 0.0F}}) {
        key(control, turn.key);
        EXPECT_FLOAT_EQ(getDialValue(dial), turn.expected) << "key " << turn.key;
    }
    auto wheel = [&](int delta) {
        QWheelEvent event(QPointF(65, 65), control->mapToGlobal(QPointF(65, 65)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(control, &event);
    };
    wheel(2 * 120);
    EXPECT_FLOAT_EQ(getDialValue(dial), 20.0F);
    wheel(60);  // half a notch (a touchpad) waits for the other half
    EXPECT_FLOAT_EQ(getDialValue(dial), 20.0F);
    wheel(60);
    EXPECT_FLOAT_EQ(getDialValue(dial), 30.0F);
    wheel(-120 * 10);
    EXPECT_FLOAT_EQ(getDialValue(dial), 0.0F);

    // From between two marks (a drag leaves it anywhere) to the next one.
    setDialValue(dial, 55.0F);
    key(control, Qt::Key_Up);
    EXPECT_FLOAT_EQ(getDialValue(dial), 60.0F);
    setDialValue(dial, 55.0F);
    key(control, Qt::Key_Down);
    EXPECT_FLOAT_EQ(getDialValue(dial), 50.0F);
    setDialValue(dial, 135.0F);
    key(control, Qt::Key_Up);
    EXPECT_FLOAT_EQ(getDialValue(dial), 140.0F);
    EXPECT_EQ(dialToolTip(dial, dialVolume), "0 dB");
    setDialValue(dial, 50.0F);
    EXPECT_EQ(dialToolTip(dial, dialVolume), "-45 dB");
}

TEST_F(DesktopUseTest, ButtonsCarryTheMenuWordsAndACutTitleShowsInFull) {
    const std::string longStem = "Ein ziemlich langer Titel einer Aufnahme";
    ASSERT_TRUE(start({make(media.path(), "kurz"), make(media.path(), longStem)}));
    struct Tip {
        ControlId button;
        const char* text;
    };
    for (const Tip& tip : {Tip{ControlId::PlayButton, "Abspielen"}, Tip{ControlId::PauseButton, "Play/Pause"},
                           Tip{ControlId::StopButton, "Stop"}, Tip{ControlId::RewindButton, "Zurück"},
                           Tip{ControlId::FastForwardButton, "Weiter"}, Tip{ControlId::PreviousButton, "Vorheriges"},
                           Tip{ControlId::NextButton, "Nächstes"}}) {
        EXPECT_EQ(app->window->control(tip.button)->toolTip(), QString::fromUtf8(tip.text));
    }

    QTreeWidget* view = app->window->playlistView();
    const QPoint shortRow = view->visualItemRect(view->topLevelItem(0)).center();
    const QPoint longRow = view->visualItemRect(view->topLevelItem(1)).topLeft() + QPoint(10, 5);
    EXPECT_EQ(cutTitleToolTip(view, shortRow), QString());
    EXPECT_EQ(cutTitleToolTip(view, longRow), QString::fromStdString(longStem + ".wav"));
    const QPoint lengthColumn(view->columnViewportPosition(1) + 5, longRow.y());
    EXPECT_EQ(cutTitleToolTip(view, lengthColumn), QString());
}

}  // namespace
}  // namespace tonlira::test
