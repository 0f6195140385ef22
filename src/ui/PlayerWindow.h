#pragma once
// The player window: the player panel with the transport buttons, the
// position slider, the title display and the volume dial; the library panel
// below it; the playlist panel to its right; the menu bar, the library's
// popup menu, the status bar and the refresh timer.
//
// The window is passive: it reports what the person does as intents (menu
// items, control events, close and size) and the application decides what
// happens. GUI thread only.

#include "platform/Colour.h"
#include "platform/EventQueue.h"
#include "platform/Ids.h"
#include "ui/Dial.h"
#include "ui/TitleDisplay.h"
#include "ui/skin/SkinImages.h"

#include <QMainWindow>

#include <map>
#include <memory>

class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QSlider;
class QTimer;
class QTreeWidget;

namespace tonlira {

class SkinButton;
class StatusBarWidget;

// The colours and start values the window is built with.
struct PlayerLook {
    Colour background = 0;        // window, in the gaps between the panels
    Colour player = 0;            // panels and the dial's background
    Colour dialFace = 0;
    Colour displayText = 0;
    Colour playlist = 0;
    Colour library = 0;
    float scrollSpeed = 1.0F;
    float dialValue = 0.0F;
};

inline constexpr int refreshIntervalMs = 100;
inline constexpr int volumeDialMaximum = 140;
inline constexpr float volumeDialStep = 1.0F;

class PlayerWindow final : public QMainWindow {
    Q_OBJECT
public:
    PlayerWindow(const PlayerLook& look, const SkinImages& skin);
    ~PlayerWindow() override;

    QAction* menuItem(MenuId id) const;
    bool isChecked(MenuId id) const;
    void setChecked(MenuId id, bool checked);
    QMenu* libraryPopup() const { return libraryPopup_; }

    QWidget* clientArea() const;
    QWidget* control(ControlId id) const;
    QSlider* positionSlider() const { return positionSlider_; }
    QTreeWidget* libraryTree() const { return libraryTree_; }
    QListWidget* libraryFiles() const { return libraryFiles_; }
    QTreeWidget* playlistView() const { return playlistView_; }
    TitleDisplay* titleDisplay() const { return titleDisplay_.get(); }
    Dial* volumeDial() const { return volumeDial_.get(); }

    // Sets the slider without reporting it as the person's change.
    void setSliderRange(int maximum);
    void setSliderValue(int value);

    // Selected row of the playlist view, -1 for none.
    int selectedPlaylistRow() const;

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
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenuBar(const SkinImages& skin);
    void buildPlayerPanel(const PlayerLook& look, const SkinImages& skin);
    void buildLibraryPanel(const PlayerLook& look);
    void buildPlaylistPanel(const PlayerLook& look);
    void raiseControl(ControlId id, ControlEventType type);
    // A list control of a side panel, in the ordinary font and its colour.
    template <class List>
    List* addList(QWidget* panel, ControlId id, const QRect& geometry, Colour background);

    std::map<MenuId, QAction*> menuItems_;
    std::map<ControlId, QWidget*> controls_;
    QMenu* libraryPopup_ = nullptr;
    QSlider* positionSlider_ = nullptr;
    QTreeWidget* libraryTree_ = nullptr;
    QListWidget* libraryFiles_ = nullptr;
    QTreeWidget* playlistView_ = nullptr;
    StatusBarWidget* statusBar_ = nullptr;
    QTimer* refreshTimer_ = nullptr;
    std::unique_ptr<TitleDisplay> titleDisplay_;
    std::unique_ptr<Dial> volumeDial_;
    bool sliderSetByProgram_ = false;
};

}  // namespace tonlira
