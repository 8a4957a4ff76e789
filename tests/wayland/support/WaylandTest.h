#pragma once

#include "support/HeadlessCompositor.h"

#include <gtest/gtest.h>

namespace wigglet::testing {

// A test against the run's headless sway.
class WaylandTest : public ::testing::Test {
  public:
    static inline HeadlessCompositor* sway = nullptr;
};

} // namespace wigglet::testing
