#include <QGuiApplication>
#include <cstdlib>
#include <gtest/gtest.h>

// The adapters need a Qt application object for their event loop; no window is ever shown,
// so the offscreen platform does.
int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
