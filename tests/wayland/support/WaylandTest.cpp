#include "support/WaylandTest.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <chrono>

namespace wigglet::testing {

HeadlessCompositor* WaylandTest::sway = nullptr;

bool WaylandTest::waitFor(const std::function<bool()>& done, double seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

void WaylandTest::pass(double seconds) {
    waitFor([] { return false; }, seconds);
}

} // namespace wigglet::testing
