#pragma once

#include <QApplication>
#include <cstdlib>

namespace wigglet::test {

// The one application object that widget tests need, on the offscreen platform.
inline void ensureQApplication() {
    if (QApplication::instance())
        return;
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "wigglet_unit_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

// A member to declare before any widget member, so the application exists first.
struct QtApplicationFirst {
    QtApplicationFirst() { ensureQApplication(); }
};

} // namespace wigglet::test
