#pragma once

#include <string>

namespace wigglet {

// The status item and its menu as the core drives them; the user interface provides them.
class StatusMenu {
  public:
    virtual ~StatusMenu() = default;
    // Re-reads the settings and updates check marks, key equivalents and the time-left line.
    virtual void refreshItems() = 0;
    // Sets the status item's image by name (statusOn_N / statusOff_N).
    virtual void setStatusImage(const std::string& name) = 0;
};

} // namespace wigglet
