// Edge snapping: the eight steps against the work area, edge by edge, and
// the snapper on a real window: a move is snapped once, the correction is
// not snapped again, the program's own placement is left alone.

#include "ui/EdgeSnap.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

namespace tonlira::test {
namespace {

struct SnapCase {
    const char* what;
    QRect frame;
    QPoint expected;
};

const WorkArea fullHd{0, 0, 1920, 1040};

class SnapSteps : public ::testing::TestWithParam<SnapCase> {};

TEST_P(SnapSteps, MoveTheWindowAsTheStepsSay) {
    const SnapCase& c = GetParam();
    const QRect result = snapToWorkArea(c.frame, fullHd);
    EXPECT_EQ(result.topLeft(), c.expected) << c.what;
    EXPECT_EQ(result.size(), c.frame.size()) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    WorkArea1920x1040, SnapSteps,
    ::testing::Values(SnapCase{"close to the left edge snaps", {15, 300, 500, 300}, {0, 300}},
                      SnapCase{"just beyond the distance stays", {21, 300, 500, 300}, {21, 300}},
                      SnapCase{"exactly the distance snaps", {20, 300, 500, 300}, {0, 300}},
                      SnapCase{"close to the right edge snaps", {1405, 300, 500, 300}, {1420, 300}},
                      SnapCase{"crossing the left edge is pushed further", {-5, 300, 500, 300}, {-25, 300}},
                      SnapCase{"crossing the right edge is pushed further", {1430, 300, 500, 300}, {1450, 300}},
                      SnapCase{"close to the top snaps", {300, 12, 500, 300}, {300, 0}},
                      SnapCase{"crossing the top is pushed further", {300, -3, 500, 300}, {300, -23}},
                      SnapCase{"close to the bottom snaps", {300, 730, 500, 300}, {300, 740}},
                      SnapCase{"crossing the bottom is pushed further", {300, 1000, 500, 60}, {300, 1020}},
                      SnapCase{"a corner snaps both ways", {1410, 1025, 500, 10}, {1420, 1030}},
                      SnapCase{"in the middle nothing changes", {600, 400, 500, 300}, {600, 400}}));

TEST(SnapStepsWithOffsetArea, SnapToTheAreaNotTheScreen) {
    // A taskbar on the left and at the top: the area starts at (100, 30).
    const WorkArea area{100, 30, 1920, 1080};
    EXPECT_EQ(snapToWorkArea({110, 300, 400, 300}, area).topLeft(), QPoint(100, 300));
    EXPECT_EQ(snapToWorkArea({50, 300, 400, 300}, area).topLeft(), QPoint(100, 300));
    EXPECT_EQ(snapToWorkArea({121, 45, 400, 300}, area).topLeft(), QPoint(121, 30));
    EXPECT_EQ(WorkArea::of(QRect(100, 30, 1820, 1050)).right, 1920);
}

class SnappingWindow : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(200, 100);
        new QWidget(&window);  // a window has children of its own
        installEdgeSnapping(&window);
        installEdgeSnapping(&window);  // a second call changes nothing
        window.move(300, 200);
        window.show();
        settle();
        area = QGuiApplication::primaryScreen()->availableGeometry();
    }
    static void settle() {
        for (int i = 0; i < 5; ++i) {
            QApplication::processEvents();
        }
    }
    QWidget window;
    QRect area;
};

TEST_F(SnappingWindow, SnapsToAnEdgeItComesClose) {
    window.move(area.left() + 15, 200);
    settle();
    EXPECT_EQ(window.frameGeometry().topLeft(), QPoint(area.left(), 200));
}

TEST_F(SnappingWindow, IsPushedOnceAcrossAnEdgeAndDoesNotWalk) {
    window.move(-5, 200);
    settle();
    const int x = window.frameGeometry().x();
    // The test platform's frame may shift the answer by its margin.
    EXPECT_LE(x, -20);
    EXPECT_GE(x, -30);
    settle();
    settle();
    EXPECT_EQ(window.frameGeometry().x(), x) << "the correction itself was snapped again";
}

TEST_F(SnappingWindow, LeavesTheProgramsOwnPlacementAlone) {
    placeWithoutSnapping(&window, QPoint(-5, 5));
    settle();
    // Neither pushed left across the edge nor snapped to the top.
    EXPECT_GT(window.frameGeometry().x(), -snapDistance);
    EXPECT_EQ(window.frameGeometry().y(), 5);
}

}  // namespace
}  // namespace tonlira::test
