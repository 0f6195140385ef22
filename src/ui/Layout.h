#pragma once
// The sizes the player window takes for the panels shown, and the sizes of
// the panels for a given window size. Pure arithmetic, so the window applies
// them and tests check them.

#include <QSize>

namespace tonlira::layout {

inline constexpr int playerPanelWidth = 500;
inline constexpr int playerPanelHeight = 130;
inline constexpr int panelGap = 10;
inline constexpr int wideWidth = 700;   // player panel, gap and playlist panel
inline constexpr int tallHeight = 320;  // player panel, gap and library panel
inline constexpr int largestExtent = 4000;
inline constexpr int initialWidth = 700;
inline constexpr int initialHeight = 340;

struct WindowBounds {
    QSize innerSize;  // counts the menu bar
    QSize minimum;    // of the area below the menu bar
    QSize maximum;    // of the area below the menu bar
};

// The layout pass's table: the size and bounds for the panels shown.
WindowBounds boundsFor(bool playlistShown, bool libraryShown, int statusBarHeight);

struct PanelSizes {
    QSize playlistView;
    QSize playlistPanel;
    int libraryPanelHeight = 0;
    int folderTreeHeight = 0;
    int fileListHeight = 0;
};

// The resize pass's table, for an inner size that counts the menu bar.
PanelSizes panelSizesFor(QSize inner, int menuBarHeight, int statusBarHeight);

}  // namespace tonlira::layout
