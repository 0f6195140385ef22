// The window's size and bounds for the panels shown, and the panels' sizes
// for the window's size.

#include "ui/Layout.h"

#include <gtest/gtest.h>

namespace tonlira::test {
namespace {

using layout::boundsFor;
using layout::panelSizesFor;

TEST(Layout, SizesAndBoundsFollowThePanelsShown) {
    constexpr int statusBar = 22;
    const auto both = boundsFor(true, true, statusBar);
    EXPECT_EQ(both.innerSize, QSize(700, 320));
    EXPECT_EQ(both.minimum, QSize(700, 320));
    EXPECT_EQ(both.maximum, QSize(4000, 4000));

    const auto playlistOnly = boundsFor(true, false, statusBar);
    EXPECT_EQ(playlistOnly.innerSize, QSize(700, 130 + statusBar));
    EXPECT_EQ(playlistOnly.maximum, QSize(4000, 130));

    const auto libraryOnly = boundsFor(false, true, statusBar);
    EXPECT_EQ(libraryOnly.innerSize, QSize(500, 320));
    EXPECT_EQ(libraryOnly.maximum, QSize(500, 4000));

    const auto neither = boundsFor(false, false, 0);
    EXPECT_EQ(neither.innerSize, QSize(500, 130));
    EXPECT_EQ(neither.minimum, QSize(500, 130));
    EXPECT_EQ(neither.maximum, QSize(500, 130));
}

TEST(Layout, PanelsFollowTheWindowSize) {
    // 900 x 500 with a 20-pixel menu bar and a 20-pixel status bar.
    const auto sizes = panelSizesFor(QSize(900, 500), 20, 20);
    EXPECT_EQ(sizes.playlistView, QSize(380, 430));
    EXPECT_EQ(sizes.playlistPanel, QSize(390, 460));
    EXPECT_EQ(sizes.libraryPanelHeight, 320);
    EXPECT_EQ(sizes.folderTreeHeight, 290);
    EXPECT_EQ(sizes.fileListHeight, 290);
}

}  // namespace
}  // namespace tonlira::test
