#pragma once

#include <functional>

namespace wigglet::testing {

// Runs the Qt event loop until the condition holds or the timeout has passed; whether it
// holds in the end. For outcomes that another process or the bus delivers, never for timing.
bool runUntil(const std::function<bool()>& condition, int timeoutMs = 5000);

} // namespace wigglet::testing
