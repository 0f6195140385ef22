// The position slider and the playlist view as a person uses them: a click
// on the slider's track and its keys seek the playing track; the playlist
// highlights the title of the selected row, with or without the focus.

#include "AppFixture.h"

#include "support/TestMedia.h"
#include "ui/FocusFrame.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QSlider>
#include <QTest>
#include <QTreeWidget>

namespace tonlira::test {
namespace {

constexpr int trackMs = 10000;

class ControlsTest : public AppFixture {
protected:
    void startPlaying() {
        const auto file = TestMedia::make(TestFormat::Wav, media.path(), trackMs / 1000.0, "lang");
        ASSERT_TRUE(start({file.string()}));
        QApplication::setActiveWindow(app->window.get());
        static_cast<QAbstractButton*>(app->window->control(ControlId::PlayButton))->click();
        ASSERT_TRUE(passUntil([&] { return app->playback.playing && slider().maximum() >= trackMs - 100; }));
    }
    QSlider& slider() { return *app->window->positionSlider(); }
    // Through the window system, as a person's click arrives.
    void click(QWidget* target, QPoint at) { QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, at); }
    void key(Qt::Key which) {
        QKeyEvent event(QEvent::KeyPress, which, Qt::NoModifier);
        QApplication::sendEvent(&slider(), &event);
    }

    TempDir media;
};

TEST_F(ControlsTest, AClickOnTheTrackPagesTowardItAndSeeks) {
    startPlaying();
    const int page = slider().pageStep();
    EXPECT_EQ(page, slider().maximum() / 5);
    ASSERT_LT(slider().value(), page);

    click(&slider(), QPoint(slider().width() - 5, slider().height() / 2));
    EXPECT_TRUE(slider().hasFocus()) << "a click gives the slider the focus";
    // The slider shows the track's real position from the next tick on: past
    // the page only if the track was seeked there.
    EXPECT_TRUE(passUntil([&] { return slider().value() >= page; }, std::chrono::seconds(2)));
    EXPECT_LT(slider().value(), 2 * page) << "one page per click";
}

TEST_F(ControlsTest, KeysMoveTheSliderAsATrackBarAndEachMoveSeeks) {
    startPlaying();
    int seeks = 0;
    QObject::connect(app->window.get(), &PlayerWindow::eventRaised, [&](const Event& event) {
        seeks += event.kind == EventKind::Control && event.source == static_cast<int>(ControlId::PositionSlider);
    });
    const int max = slider().maximum();
    const int page = slider().pageStep();
    struct Step {
        Qt::Key key;
        int from;
        int to;
    };
    const std::vector<Step> steps{
        {Qt::Key_Right, 5000, 10000},  // five seconds an arrow key
        {Qt::Key_Down, 5000, 10000},
        {Qt::Key_Left, 5000, 0},
        {Qt::Key_Up, 5000, 0},
        {Qt::Key_PageDown, 5000, 5000 + page},
        {Qt::Key_PageUp, 5000, 5000 - page},
        {Qt::Key_Home, 5000, 0},
        {Qt::Key_End, 5000, max},
    };
    for (const Step& step : steps) {
        app->window->setSliderValue(step.from);
        const int before = seeks;
        key(step.key);
        EXPECT_EQ(slider().value(), step.to) << "key " << step.key;
        EXPECT_EQ(seeks, before + 1) << "key " << step.key << " is the person's change";
    }

    // The last key went to the end: the seek there ends the track.
    EXPECT_TRUE(passUntil([&] { return !app->playback.playing || slider().value() >= max - 500; }));
}

TEST_F(ControlsTest, ThePlaylistHighlightsTheTitleCellAlsoWithoutFocus) {
    const auto a = TestMedia::make(TestFormat::Wav, media.path(), 1.0, "a");
    const auto b = TestMedia::make(TestFormat::Wav, media.path(), 1.0, "b");
    ASSERT_TRUE(start({a.string(), b.string()}));
    choose(MenuId::ShowPlaylist);
    QTreeWidget& view = *app->window->playlistView();
    view.topLevelItem(0)->setSelected(true);
    slider().setFocus();
    passes(3);
    ASSERT_FALSE(view.hasFocus());

    const QImage shot = view.viewport()->grab().toImage();
    const QRect row = view.visualItemRect(view.topLevelItem(0));
    const QColor background = view.palette().color(QPalette::Base);
    const QColor highlight = view.palette().color(QPalette::Active, QPalette::Highlight);
    const QColor inTitle = shot.pixelColor(view.columnWidth(0) - 5, row.center().y());
    const QColor inLength = shot.pixelColor(view.columnWidth(0) + view.columnWidth(1) - 5, row.center().y());
    const QColor unselected =
        shot.pixelColor(view.columnWidth(0) - 5, view.visualItemRect(view.topLevelItem(1)).center().y());
    EXPECT_EQ(inTitle, highlight) << "the selection is shown in the title cell without the focus";
    EXPECT_EQ(inLength, background) << "no full-row selection";
    EXPECT_EQ(unselected, background);
}

TEST_F(ControlsTest, TabWalksWhatIsShownFramedAndTheTitleTakesTheWidth) {
    ASSERT_TRUE(start());  // the library shown, the playlist not
    QApplication::setActiveWindow(app->window.get());
    passes(3);
    QWidget* files = app->window->libraryFiles();
    QTreeWidget* playlist = app->window->playlistView();
    EXPECT_FALSE(playlist->isVisible()) << "outside the window";
    files->setFocus();
    QTest::keyClick(files, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), app->window->control(ControlId::PlayButton))
        << "the hidden playlist is skipped";

    // Each list and the slider show the focus in the highlight colour, the
    // lists above their scroll bars too (the dial covers the slider's end).
    const QColor highlight = files->palette().color(QPalette::Highlight);
    for (QWidget* control :
         {files, static_cast<QWidget*>(app->window->libraryTree()), static_cast<QWidget*>(&slider())}) {
        control->setFocus();
        passes(2);
        const QImage shot = app->window->grab().toImage();
        const int right =
            control == &slider() ? focusFrameInset : control->width() - focusFrameInset - focusFrameWidth;
        for (const int x : {focusFrameInset, right}) {
            const QPoint edge = control->mapTo(app->window.get(), QPoint(x, control->height() / 2));
            EXPECT_EQ(shot.pixelColor(edge), highlight) << control->metaObject()->className() << " at " << x;
        }
    }

    choose(MenuId::ShowPlaylist);
    choose(MenuId::ShowLibrary);
    ASSERT_TRUE(passUntil([&] { return playlist->isVisible() && !files->isVisible(); }));
    EXPECT_FALSE(files->hasFocus());
    app->window->resize(900, 130 + app->window->menuBarHeight() + app->window->statusBarHeight());
    ASSERT_TRUE(passUntil([&] { return playlist->width() == 380; }));
    EXPECT_EQ(playlist->columnWidth(0), 116 + 380 - 190) << "the title column takes the new width";
    EXPECT_EQ(playlist->columnWidth(1), 60);
}

}  // namespace
}  // namespace tonlira::test
