// The taskbar's notification area, looked up on a real X server: with a
// window manager and a real panel (tint2) whose tray holds an icon, with an
// empty tray, without a panel, and after the panel went away.

#include "platform/TaskbarTray.h"
#include "support/Waits.h"
#include "support/XSession.h"

#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace tonlira::test {
namespace {

QRect rootRect(Display* display, Window window) {
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, window, &attributes);
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, attributes.root, 0, 0, &x, &y, &child);
    return {x, y, attributes.width, attributes.height};
}

bool hasDockType(Display* display, Window window) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_WINDOW_TYPE", False), 0, 16, False, XA_ATOM,
                       &type, &format, &count, &remaining, &data);
    bool dock = false;
    const Atom wanted = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DOCK", False);
    for (unsigned long i = 0; data != nullptr && i < count; ++i) {
        dock = dock || reinterpret_cast<const unsigned long*>(data)[i] == wanted;
    }
    if (data != nullptr) {
        XFree(data);
    }
    return dock;
}

class TaskbarTrayTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(session.running()) << "no X server";
        ASSERT_TRUE(session.startWindowManager()) << "no window manager";
    }
    std::optional<TaskbarTray> lookUp() const {
        return TaskbarTray::findOn(session.display(), DefaultScreen(session.display()));
    }

    XSession session;
};

TEST(TaskbarTrayOffscreen, IsNotFoundWithoutX11) {
    EXPECT_FALSE(TaskbarTray::find().has_value());
    EXPECT_FALSE(TaskbarTray::windowExists(1));
}

TEST_F(TaskbarTrayTest, IsNotFoundWithoutPanelOrWithEmptyTray) {
    EXPECT_FALSE(lookUp().has_value()) << "no panel at all";
    ASSERT_TRUE(session.startPanel());
    EXPECT_FALSE(lookUp().has_value()) << "a tray without icons has no area";
}

TEST_F(TaskbarTrayTest, FindsTheIconAreaInsideThePanelAndNoticesThePanelGoing) {
    ASSERT_TRUE(session.startPanel());
    const Window icon = session.dockIcon();
    ASSERT_NE(icon, 0UL);

    const auto tray = lookUp();
    ASSERT_TRUE(tray.has_value());
    Display* display = session.display();
    EXPECT_EQ(tray->pager(), rootRect(display, icon));
    EXPECT_TRUE(hasDockType(display, static_cast<Window>(tray->taskbar())));
    EXPECT_EQ(tray->taskbarRect(), rootRect(display, static_cast<Window>(tray->taskbar())));
    EXPECT_TRUE(tray->taskbarRect().contains(tray->pager()));
    // The stock panel runs along the bottom of the 1280 x 800 screen.
    EXPECT_EQ(tray->taskbarRect().bottom(), 799);
    EXPECT_TRUE(TaskbarTray::windowExistsOn(display, tray->taskbar()));

    // A window of the program's own in the panel is not an icon.
    const Window own = XCreateSimpleWindow(display, static_cast<Window>(tray->taskbar()), 10, 0, 170, 30, 0, 0, 0);
    XMapWindow(display, own);
    XSync(display, False);
    const auto again = TaskbarTray::findOn(display, DefaultScreen(display), own);
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ(again->pager(), tray->pager());

    session.stopPanel();
    EXPECT_TRUE(waitFor([&] { return !TaskbarTray::windowExistsOn(display, tray->taskbar()); }));
    EXPECT_FALSE(lookUp().has_value());
}

}  // namespace
}  // namespace tonlira::test
