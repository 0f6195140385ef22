#include "ui/PlayerWindow.h"

#include "ui/Fonts.h"
#include "ui/ImageControl.h"
#include "ui/Layout.h"
#include "ui/MenuTable.h"
#include "ui/StatusBarWidget.h"
#include "ui/skin/SkinButton.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QScreen>
#include <QSlider>
#include <QTimer>
#include <QTreeWidget>
#include <QWindow>

#include <array>

namespace tonlira {
namespace {

struct Geometry {
    int x, y, width, height;
};

struct ButtonRow {
    ControlId id;
    int x;
    ImageId image;
};

// Three groups: play, pause, stop; rewind, fast forward; previous, next.
constexpr int buttonTop = 78;
constexpr int buttonSize = 47;
constexpr std::array transportButtons{
    ButtonRow{ControlId::PlayButton, 5, ImageId::Play},
    ButtonRow{ControlId::PauseButton, 52, ImageId::Pause},
    ButtonRow{ControlId::StopButton, 99, ImageId::Stop},
    ButtonRow{ControlId::RewindButton, 162, ImageId::Rewind},
    ButtonRow{ControlId::FastForwardButton, 209, ImageId::FastForward},
    ButtonRow{ControlId::PreviousButton, 271, ImageId::Previous},
    ButtonRow{ControlId::NextButton, 318, ImageId::Next},
};

constexpr Geometry playerPanelGeometry{0, 0, layout::playerPanelWidth, layout::playerPanelHeight};
constexpr Geometry sliderGeometry{0, 46, 370, 29};
constexpr Geometry titleDisplayGeometry{5, 5, 360, 40};
constexpr Geometry dialGeometry{365, 1, 130, 130};
constexpr int sliderInitialMaximum = 100;

constexpr int sidePanelHeight = 2000;
constexpr Geometry libraryPanelGeometry{0, layout::playerPanelHeight + layout::panelGap,
                                        layout::playerPanelWidth, sidePanelHeight};
constexpr Geometry folderTreeGeometry{5, 25, 220, 190};
constexpr Geometry fileListGeometry{230, 25, 265, 190};
constexpr Geometry playlistPanelGeometry{layout::playerPanelWidth + layout::panelGap, 0, 200, sidePanelHeight};
constexpr Geometry playlistViewGeometry{5, 25, 190, 370};
constexpr int titleColumnWidth = 116;
constexpr int lengthColumnWidth = 60;

constexpr Colour titleDisplayBackground = 0;

void place(QWidget* widget, const Geometry& g) { widget->setGeometry(g.x, g.y, g.width, g.height); }
QRect rectOf(const Geometry& g) { return {g.x, g.y, g.width, g.height}; }

void setBackground(QWidget* widget, Colour colour, QPalette::ColorRole role = QPalette::Window) {
    QPalette palette = widget->palette();
    palette.setColor(role, toQColor(colour));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// The application's ordinary font, set explicitly so that a list inside a
// panel does not inherit the panel's bold caption font.
QFont listFont() {
    QFont font = QApplication::font();
    font.setBold(false);
    font.setPointSizeF(font.pointSizeF());
    font.setFamily(font.family());
    return font;
}

QLabel* makePanel(QWidget* parent, ControlId id, const QString& caption, Colour colour) {
    auto* panel = new QLabel(caption, parent);
    panel->setObjectName(QStringLiteral("control%1").arg(static_cast<int>(id)));
    panel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    panel->setFont(captionFont());
    setBackground(panel, colour);
    return panel;
}

}  // namespace

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

    buildMenuBar(skin);
    buildPlayerPanel(look, skin);
    buildLibraryPanel(look);
    buildPlaylistPanel(look);

    libraryPopup_ = new QMenu(this);
    QAction* enqueue = libraryPopup_->addAction(QString::fromUtf8(menuLabel(MenuId::Enqueue)));
    menuItems_[MenuId::Enqueue] = enqueue;
    connect(enqueue, &QAction::triggered, this, [this] { emit eventRaised(Event::menu(MenuId::Enqueue)); });

    refreshTimer_ = new QTimer(this);
    refreshTimer_->setInterval(refreshIntervalMs);
    connect(refreshTimer_, &QTimer::timeout, this, [this] { emit eventRaised(Event::timer(TimerId::Refresh)); });
    refreshTimer_->start();
}

PlayerWindow::~PlayerWindow() = default;

void PlayerWindow::buildMenuBar(const SkinImages& skin) {
    QMenuBar* bar = menuBar();
    QMenu* menu = nullptr;
    QMenu* target = nullptr;
    for (const MenuRow& row : menuBarRows()) {
        const QString label = QString::fromUtf8(row.label != nullptr ? row.label : "");
        switch (row.kind) {
        case MenuRow::Kind::Menu:
            menu = bar->addMenu(label);
            target = menu;
            break;
        case MenuRow::Kind::Submenu: target = menu->addMenu(label); break;
        case MenuRow::Kind::EndSubmenu: target = menu; break;
        case MenuRow::Kind::Separator: target->addSeparator(); break;
        case MenuRow::Kind::Command:
        case MenuRow::Kind::Check: {
            QAction* action = target->addAction(label);
            if (row.icon && skin.contains(*row.icon)) {
                action->setIcon(skin.menuIcon(*row.icon));
            }
            if (row.kind == MenuRow::Kind::Check) {
                action->setCheckable(true);
                action->setChecked(row.checkedAtStart);
            }
            const MenuId id = row.id;
            menuItems_[id] = action;
            connect(action, &QAction::triggered, this, [this, action, id] {
                // The check mark is the application's to flip, not Qt's.
                if (action->isCheckable()) {
                    action->setChecked(!action->isChecked());
                }
                emit eventRaised(Event::menu(id));
            });
            break;
        }
        }
    }
}

void PlayerWindow::buildPlayerPanel(const PlayerLook& look, const SkinImages& skin) {
    auto* panel = new QWidget(clientArea());
    place(panel, playerPanelGeometry);
    setBackground(panel, look.player);
    controls_[ControlId::PlayerPanel] = panel;

    for (const ButtonRow& row : transportButtons) {
        auto* button = new SkinButton(row.id, skin.pixmap(row.image), panel);
        button->setGeometry(row.x, buttonTop, buttonSize, buttonSize);
        button->setFocusPolicy(Qt::NoFocus);
        controls_[row.id] = button;
        const ControlId id = row.id;
        connect(button, &QPushButton::clicked, this, [this, id] { raiseControl(id, ControlEventType::LeftClick); });
    }

    positionSlider_ = new QSlider(Qt::Horizontal, panel);
    place(positionSlider_, sliderGeometry);
    positionSlider_->setRange(0, sliderInitialMaximum);
    positionSlider_->setFocusPolicy(Qt::NoFocus);
    setBackground(positionSlider_, look.player);
    controls_[ControlId::PositionSlider] = positionSlider_;
    auto sliderChanged = [this] {
        if (!sliderSetByProgram_) {
            raiseControl(ControlId::PositionSlider, ControlEventType::Change);
        }
    };
    connect(positionSlider_, &QSlider::valueChanged, this, sliderChanged);
    connect(positionSlider_, &QSlider::sliderReleased, this, sliderChanged);

    titleDisplay_ = createTitleDisplay(ControlId::TitleDisplay, titleDisplayGeometry.x, titleDisplayGeometry.y,
                                       titleDisplayGeometry.width, titleDisplayGeometry.height, QString(),
                                       displayFont(), look.scrollSpeed, look.displayText,
                                       titleDisplayBackground, panel);
    controls_[ControlId::TitleDisplay] = titleDisplay_->control;

    volumeDial_ = createDial(ControlId::VolumeDial, dialGeometry.x, dialGeometry.y, dialGeometry.width,
                             volumeDialMaximum, volumeDialStep, look.dialFace, look.player, panel);
    setDialValue(volumeDial_.get(), look.dialValue);
    controls_[ControlId::VolumeDial] = volumeDial_->control;
    connect(volumeDial_->control, &ImageControl::leftButtonDown, this,
            [this] { raiseControl(ControlId::VolumeDial, ControlEventType::LeftClick); });
}

template <class List>
List* PlayerWindow::addList(QWidget* panel, ControlId id, const QRect& geometry, Colour background) {
    auto* list = new List(panel);
    list->setFont(listFont());
    list->setGeometry(geometry);
    setBackground(list, background, QPalette::Base);
    controls_[id] = list;
    return list;
}

void PlayerWindow::buildLibraryPanel(const PlayerLook& look) {
    QLabel* panel = makePanel(clientArea(), ControlId::LibraryPanel, QStringLiteral("Audiobibliothek"), look.player);
    place(panel, libraryPanelGeometry);
    controls_[ControlId::LibraryPanel] = panel;

    libraryTree_ = addList<QTreeWidget>(panel, ControlId::LibraryTree, rectOf(folderTreeGeometry), look.library);
    libraryTree_->setHeaderHidden(true);
    libraryTree_->setFrameShape(QFrame::StyledPanel);
    libraryTree_->setFrameShadow(QFrame::Sunken);
    libraryTree_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(libraryTree_, &QTreeWidget::itemSelectionChanged, this,
            [this] { raiseControl(ControlId::LibraryTree, ControlEventType::Change); });
    connect(libraryTree_, &QWidget::customContextMenuRequested, this,
            [this] { raiseControl(ControlId::LibraryTree, ControlEventType::RightClick); });

    libraryFiles_ = addList<QListWidget>(panel, ControlId::LibraryFiles, rectOf(fileListGeometry), look.library);
    libraryFiles_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    libraryFiles_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    libraryFiles_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void PlayerWindow::buildPlaylistPanel(const PlayerLook& look) {
    QLabel* panel = makePanel(clientArea(), ControlId::PlaylistPanel, QStringLiteral("Playlist"), look.player);
    place(panel, playlistPanelGeometry);
    controls_[ControlId::PlaylistPanel] = panel;

    playlistView_ = addList<QTreeWidget>(panel, ControlId::PlaylistView, rectOf(playlistViewGeometry), look.playlist);
    playlistView_->setColumnCount(2);
    playlistView_->setHeaderLabels({QStringLiteral("Titel"), QStringLiteral("Länge")});
    playlistView_->setColumnWidth(0, titleColumnWidth);
    playlistView_->setColumnWidth(1, lengthColumnWidth);
    playlistView_->setRootIsDecorated(false);
    playlistView_->setSelectionMode(QAbstractItemView::SingleSelection);
    playlistView_->setAllColumnsShowFocus(false);
    playlistView_->setFrameShadow(QFrame::Sunken);
    playlistView_->viewport()->installEventFilter(this);
}

bool PlayerWindow::eventFilter(QObject* watched, QEvent* event) {
    // A double-click anywhere in the playlist view is reported, with or
    // without a row under the pointer; the selection decides what happens.
    if (watched == playlistView_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        QMetaObject::invokeMethod(this, [this] { raiseControl(ControlId::PlaylistView, ControlEventType::LeftDoubleClick); },
                                  Qt::QueuedConnection);
    }
    return QMainWindow::eventFilter(watched, event);
}

void PlayerWindow::raiseControl(ControlId id, ControlEventType type) {
    emit eventRaised(Event::control(WindowId::Player, id, type));
}

QAction* PlayerWindow::menuItem(MenuId id) const {
    const auto found = menuItems_.find(id);
    return found != menuItems_.end() ? found->second : nullptr;
}

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

void PlayerWindow::setSliderRange(int maximum) {
    sliderSetByProgram_ = true;
    positionSlider_->setMaximum(maximum);
    sliderSetByProgram_ = false;
}

void PlayerWindow::setSliderValue(int value) {
    if (positionSlider_->isSliderDown()) {
        return;  // the person is dragging it
    }
    sliderSetByProgram_ = true;
    positionSlider_->setValue(value);
    sliderSetByProgram_ = false;
}

int PlayerWindow::selectedPlaylistRow() const {
    const QList<QTreeWidgetItem*> selected = playlistView_->selectedItems();
    return selected.isEmpty() ? -1 : playlistView_->indexOfTopLevelItem(selected.front());
}

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
    playlistView_->resize(sizes.playlistView);
    QWidget* playlistPanel = control(ControlId::PlaylistPanel);
    playlistPanel->resize(sizes.playlistPanel);
    QWidget* libraryPanel = control(ControlId::LibraryPanel);
    libraryPanel->setGeometry(0, libraryPanel->y(), libraryPanel->width(), sizes.libraryPanelHeight);
    libraryTree_->resize(libraryTree_->width(), sizes.folderTreeHeight);
    libraryFiles_->resize(libraryFiles_->width(), sizes.fileListHeight);
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
                                Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                Qt::WindowCloseButtonHint;
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
    for (ControlId panel : {ControlId::PlayerPanel, ControlId::PlaylistPanel, ControlId::LibraryPanel}) {
        setBackground(control(panel), look.player);
    }
    recolourDial(volumeDial_.get(), look.player, look.dialFace);
    setTitleColours(titleDisplay_.get(), look.displayText, titleDisplayBackground);
    setBackground(playlistView_, look.playlist, QPalette::Base);
    setBackground(libraryTree_, look.library, QPalette::Base);
    setBackground(libraryFiles_, look.library, QPalette::Base);
    setBackground(positionSlider_, look.player);
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
