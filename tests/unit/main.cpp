#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

// The one application object that the widget tests need, on the offscreen platform.
int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
