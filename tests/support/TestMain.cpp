// Test entry shared by every test program: a real QApplication on the
// offscreen platform (unless a display is asked for) and GStreamer set up once
// before any thread starts.

#include <QApplication>
#include <gst/gst.h>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    gst_init(nullptr, nullptr);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
