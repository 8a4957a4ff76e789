#include "support/HeadlessCompositor.h"
#include "support/WaylandTest.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>

// One sway for the whole run, started before the Qt application, which reads the screens
// from it like the program does.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();
    std::string whyNot;
    auto sway = wigglet::testing::HeadlessCompositor::start(
        wigglet::testing::HeadlessCompositor::Kind::Sway, whyNot);
    if (!sway) {
        std::fprintf(stderr, "wayland tests: %s\n", whyNot.c_str());
        return 1;
    }
    wigglet::testing::WaylandTest::sway = sway.get();
    ::setenv("WAYLAND_DISPLAY", sway->socket().c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "wayland", 1);
    QGuiApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
