#pragma once

#include "platform/PowerManagement.h"

#include <cstdint>
#include <string>

namespace wigglet {

// Holds the idle-display-sleep assertion while shaking is on, and the process activity for
// the life of the process. Applying the same state twice is harmless.
class NapperManager {
  public:
    static NapperManager& shared();

    void startKeepAlive();
    void stopKeepAlive();
    bool isHeld() const { return keepAliveState == kIOReturnSuccess; }

    std::uint32_t keepAliveID = 0;
    std::int32_t keepAliveState = kIOReturnAborted;
    std::string reason = "Wigglet";
    PowerManagement::ActivityToken activity;
};

} // namespace wigglet
