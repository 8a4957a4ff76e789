#pragma once

#include "Verb.h"

#include <string>

namespace wigglet::sim {

// Writes what the interface shows to the trace, or photographs it.
class UiDescriber {
  public:
    virtual ~UiDescriber() = default;

    virtual Problem dumpMenu() = 0;
    virtual Problem dumpPrefs() = 0;
    virtual Problem dumpWindows() = 0;
    // WINDOW is a window's id or `menu`.
    virtual Problem screenshot(const std::string& window, const std::string& file) = 0;
};

} // namespace wigglet::sim
