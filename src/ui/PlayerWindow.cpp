#include "ui/PlayerWindow.h"

#include "ui/FocusOverlay.h"
#include "ui/Layout.h"
#include "ui/LibraryPanel.h"
#include "ui/PlayerMenus.h"
#include "ui/PlayerPanel.h"
#include "ui/PlaylistPanel.h"
#include "ui/StatusBarWidget.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <algorithm>

namespace tonlira {

PlayerWindow::PlayerWindow(const PlayerLook& look, const SkinImages& skin) {
    setWindowTitle(QStringLiteral("Tonlira"));
    setWindowIcon(QIcon(QStringLiteral(":/skin/tonlira.png")));
    resize(layout::initialWidth, layout::initialHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(layout::initialWidth / 2, layout::initialHeight / 2));
    }
    auto* client = new QWidget(this);
    setCentralWidget(client);
    // The window's own background shows in the gaps between the panels.
    setBackground(client, look.background);

    menus_ = new PlayerMenus(menuBar(), skin, this);
    connect(menus_, &PlayerMenus::chosen, this, [this](MenuId id) { emit eventRaised(Event::menu(id)); });

    playerPanel_ = new PlayerPanel(look, skin, client, controls_);
    libraryPanel_ = new LibraryPanel(look, client, controls_);
    playlistPanel_ = new PlaylistPanel(look, client, controls_);
    connect(playerPanel_, &PlayerPanel::controlRaised, this, &PlayerWindow::raiseControl);
    connect(libraryPanel_, &LibraryPanel::controlRaised, this, &PlayerWindow::raiseControl);
    connect(playlistPanel_, &PlaylistPanel::controlRaised, this, &PlayerWindow::raiseControl);
    for (const ControlId id :
         {ControlId::PositionSlider, ControlId::LibraryTree, ControlId::LibraryFiles, ControlId::PlaylistView}) {
        addFocusOverlay(control(id));
    }
    client->installEventFilter(this);

    refreshTimer_ = new QTimer(this);
    refreshTimer_->setInterval(refreshIntervalMs);
    connect(refreshTimer_, &QTimer::timeout, this, [this] { emit eventRaised(Event::timer(TimerId::Refresh)); });
    refreshTimer_->start();
}

PlayerWindow::~PlayerWindow() = default;

void PlayerWindow::raiseControl(ControlId id, ControlEventType type) {
    emit eventRaised(Event::control(WindowId::Player, id, type));
}

QAction* PlayerWindow::menuItem(MenuId id) const { return menus_->item(id); }
QMenu* PlayerWindow::libraryPopup() const { return menus_->libraryPopup(); }
QPoint PlayerWindow::libraryPopupPosition() const { return libraryPanel_->popupPosition(); }

bool PlayerWindow::isChecked(MenuId id) const {
    const QAction* action = menuItem(id);
    return action != nullptr && action->isChecked();
}

void PlayerWindow::setChecked(MenuId id, bool checked) {
    if (QAction* action = menuItem(id)) {
        action->setChecked(checked);
    }
}

QWidget* PlayerWindow::clientArea() const { return centralWidget(); }

QWidget* PlayerWindow::control(ControlId id) const {
    const auto found = controls_.find(id);
    return found != controls_.end() ? found->second : nullptr;
}

QSlider* PlayerWindow::positionSlider() const { return playerPanel_->positionSlider(); }
QTreeWidget* PlayerWindow::libraryTree() const { return libraryPanel_->tree(); }
QListWidget* PlayerWindow::libraryFiles() const { return libraryPanel_->files(); }
QTreeWidget* PlayerWindow::playlistView() const { return playlistPanel_->view(); }
TitleDisplay* PlayerWindow::titleDisplay() const { return playerPanel_->titleDisplay(); }
Dial* PlayerWindow::volumeDial() const { return playerPanel_->volumeDial(); }

void PlayerWindow::setSliderRange(int maximum) { playerPanel_->setSliderRange(maximum); }
void PlayerWindow::setSliderValue(int value) { playerPanel_->setSliderValue(value); }

EntrySerial PlayerWindow::selectedPlaylistEntry() const { return playlistPanel_->selectedSerial(); }

void PlayerWindow::createStatusBar() {
    if (statusBar_ == nullptr) {
        statusBar_ = new StatusBarWidget(this);
        setStatusBar(statusBar_);
    }
}

void PlayerWindow::freeStatusBar() {
    if (statusBar_ != nullptr) {
        setStatusBar(nullptr);  // deletes it
        statusBar_ = nullptr;
    }
}

int PlayerWindow::statusBarHeight() const { return statusBar_ != nullptr ? statusBar_->height() : 0; }

int PlayerWindow::menuBarHeight() const {
    const QMenuBar* bar = menuBar();
    return bar->isVisible() ? bar->height() : bar->sizeHint().height();
}

void PlayerWindow::layoutPass(bool libraryShown, bool playlistShown, bool resize) {
    const layout::WindowBounds bounds = layout::boundsFor(playlistShown, libraryShown, statusBarHeight());
    const int menu = menuBarHeight();
    // The bounds are of the area below the menu bar; a maximum below the
    // minimum gives way to the minimum. They are set before the size, which
    // the old bounds would otherwise clip.
    setMinimumSize(bounds.minimum.width(), bounds.minimum.height() + menu);
    setMaximumSize(std::max(bounds.maximum.width(), bounds.minimum.width()),
                   std::max(bounds.maximum.height(), bounds.minimum.height()) + menu);
    if (resize) {
        QMainWindow::resize(bounds.innerSize);
    }
}

void PlayerWindow::resizePass() {
    const layout::PanelSizes sizes = layout::panelSizesFor(size(), menuBarHeight(), statusBarHeight());
    playlistPanel_->fitSizes(sizes.playlistPanel, sizes.playlistView);
    libraryPanel_->fitHeights(sizes.libraryPanelHeight, sizes.folderTreeHeight, sizes.fileListHeight);
}

void PlayerWindow::updateMaximiseBox(bool libraryShown, bool playlistShown) {
    if (isMinimized() || isMaximized()) {
        return;
    }
    const bool enable = libraryShown && playlistShown;
    if (enable == maximiseBoxEnabled()) {
        return;
    }
    // Changed on the native window, so the window is not hidden and re-shown.
    if (QWindow* native = windowHandle()) {
        Qt::WindowFlags flags = native->flags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
        flags.setFlag(Qt::WindowMaximizeButtonHint, enable);
        native->setFlags(flags);
    } else {
        setWindowFlag(Qt::WindowMaximizeButtonHint, enable);
    }
}

bool PlayerWindow::maximiseBoxEnabled() const {
    const QWindow* native = windowHandle();
    const Qt::WindowFlags flags = native != nullptr ? native->flags() : windowFlags();
    return flags.testFlag(Qt::WindowMaximizeButtonHint);
}

void PlayerWindow::setStayOnTop(bool onTop) {
    if (QWindow* native = windowHandle()) {
        native->setFlag(Qt::WindowStaysOnTopHint, onTop);
    } else {
        setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    }
}

void PlayerWindow::applyColours(const PlayerLook& look) {
    setBackground(clientArea(), look.background);
    playerPanel_->applyColours(look);
    libraryPanel_->applyColours(look);
    playlistPanel_->applyColours(look);
}

bool PlayerWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == clientArea() && event->type() == QEvent::Resize) {
        showPanelsInView();
    }
    return QMainWindow::eventFilter(watched, event);
}

void PlayerWindow::showPanelsInView() {
    // A panel the window's size leaves outside the client area is out of
    // sight, and so out of the Tab order and the accessibility tree.
    const QRect client = clientArea()->rect();
    for (QWidget* panel : {static_cast<QWidget*>(libraryPanel_), static_cast<QWidget*>(playlistPanel_)}) {
        panel->setVisible(client.intersects(panel->geometry()));
    }
}

void PlayerWindow::closeEvent(QCloseEvent* event) {
    // Closing is the application's decision.
    event->ignore();
    emit eventRaised(Event::close(WindowId::Player));
}

void PlayerWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    emit eventRaised(Event::size(WindowId::Player));
}

}  // namespace tonlira
