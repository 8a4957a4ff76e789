#include "support/HeadlessCompositor.h"
#include "support/WaylandTest.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>

// libwayland-client has no frame pointers: only the slow unwinder sees past it, to tell Qt's
// proxies from ours.
extern "C" const char* __asan_default_options();
extern "C" const char* __asan_default_options() {
    return "fast_unwind_on_malloc=0";
}

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
