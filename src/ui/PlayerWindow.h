#pragma once
// The player window: the player panel with the transport buttons, the
// position slider, the title display and the volume dial; the library panel
// below it; the playlist panel to its right; the menu bar, the library's
// popup menu, the status bar and the refresh timer.
//
// The window is passive: it reports what the person does as intents (menu
// items, control events, close and size) and the application decides what
// happens. GUI thread only.

#include "library/PlaylistRows.h"
#include "platform/EventQueue.h"
#include "platform/Ids.h"
#include "ui/Dial.h"
#include "ui/PanelStyle.h"
#include "ui/PlayerLook.h"
#include "ui/TitleDisplay.h"
#include "ui/skin/SkinImages.h"

#include <QMainWindow>

class QAction;
class QListWidget;
class QMenu;
class QSlider;
class QTimer;
class QTreeWidget;

namespace tonlira {

class LibraryPanel;
class PlayerMenus;
class PlayerPanel;
class PlaylistPanel;
class StatusBarWidget;

inline constexpr int refreshIntervalMs = 100;

class PlayerWindow final : public QMainWindow {
    Q_OBJECT
public:
    PlayerWindow(const PlayerLook& look, const SkinImages& skin);
    ~PlayerWindow() override;

    QAction* menuItem(MenuId id) const;
    bool isChecked(MenuId id) const;
    void setChecked(MenuId id, bool checked);
    QMenu* libraryPopup() const;
    // Where the library's popup menu opens, in global coordinates.
    QPoint libraryPopupPosition() const;

    QWidget* clientArea() const;
    QWidget* control(ControlId id) const;
    QSlider* positionSlider() const;
    QTreeWidget* libraryTree() const;
    QListWidget* libraryFiles() const;
    QTreeWidget* playlistView() const;
    TitleDisplay* titleDisplay() const;
    Dial* volumeDial() const;

    // Sets the slider without reporting it as the person's change.
    void setSliderRange(int maximum);
    void setSliderValue(int value);

    // The entry on the selected row of the playlist view, noEntry for none.
    EntrySerial selectedPlaylistEntry() const;
    PlaylistPanel* playlistPanel() const { return playlistPanel_; }

    // Status bar: null while switched off.
    StatusBarWidget* statusBarWidget() const { return statusBar_; }
    void createStatusBar();
    void freeStatusBar();
    int statusBarHeight() const;
    int menuBarHeight() const;

    // Fits the window to the panels shown; with `resize`, also sets its size.
    void layoutPass(bool libraryShown, bool playlistShown, bool resize);
    // Fits the panels to the window's size.
    void resizePass();
    // Enables the maximise box only with both side panels shown.
    void updateMaximiseBox(bool libraryShown, bool playlistShown);
    bool maximiseBoxEnabled() const;
    void setStayOnTop(bool onTop);

    // Re-applies every colour of the look.
    void applyColours(const PlayerLook& look);

signals:
    void eventRaised(const tonlira::Event& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void raiseControl(ControlId id, ControlEventType type);
    void showPanelsInView();

    ControlMap controls_;
    PlayerMenus* menus_ = nullptr;
    PlayerPanel* playerPanel_ = nullptr;
    LibraryPanel* libraryPanel_ = nullptr;
    PlaylistPanel* playlistPanel_ = nullptr;
    StatusBarWidget* statusBar_ = nullptr;
    QTimer* refreshTimer_ = nullptr;
};

}  // namespace tonlira
