#include "ui/Layout.h"

namespace tonlira::layout {
namespace {

constexpr int playlistViewMargin = 20;  // panel gap plus the view's own inset
constexpr int playlistViewTop = 30;
constexpr int libraryPanelTop = playerPanelHeight + panelGap;
constexpr int libraryListsTop = libraryPanelTop + 50;

}  // namespace

WindowBounds boundsFor(bool playlistShown, bool libraryShown, int statusBarHeight) {
    const int width = playlistShown ? wideWidth : playerPanelWidth;
    const int height = libraryShown ? tallHeight : playerPanelHeight + statusBarHeight;
    const int maxWidth = playlistShown ? largestExtent : playerPanelWidth;
    const int maxHeight = libraryShown ? largestExtent : playerPanelHeight;
    return {QSize(width, height), QSize(width, height), QSize(maxWidth, maxHeight)};
}

PanelSizes panelSizesFor(QSize inner, int menuBarHeight, int statusBarHeight) {
    const int w = inner.width();
    const int h = inner.height();
    PanelSizes sizes;
    sizes.playlistView =
        QSize(w - playerPanelWidth - playlistViewMargin, h - menuBarHeight - statusBarHeight - playlistViewTop);
    sizes.playlistPanel = QSize(w - playerPanelWidth - panelGap, h - menuBarHeight - statusBarHeight);
    sizes.libraryPanelHeight = h - statusBarHeight - menuBarHeight - libraryPanelTop;
    // The two library lists take no menu-bar height off.
    sizes.folderTreeHeight = h - statusBarHeight - libraryListsTop;
    sizes.fileListHeight = sizes.folderTreeHeight;
    return sizes;
}

}  // namespace tonlira::layout
