#pragma once

#include "support/HeadlessCompositor.h"

#include <functional>
#include <gtest/gtest.h>

namespace wigglet::testing {

// A test against the run's headless sway.
class WaylandTest : public ::testing::Test {
  public:
    static HeadlessCompositor* sway;

    // Runs the Qt event loop until done() holds or the time is up; says whether it held.
    static bool waitFor(const std::function<bool()>& done, double seconds);
    // Runs the Qt event loop for that long.
    static void pass(double seconds);
};

} // namespace wigglet::testing
