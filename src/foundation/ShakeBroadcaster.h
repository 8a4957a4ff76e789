#pragma once

#include <string>

namespace wigglet {

// Announces changes of the shaking state on the default notification centre.
class ShakeBroadcaster {
  public:
    static inline const std::string shakeChangedName = "Shake Changed";
    static inline const std::string interruptedName = "Shake Interrupted";
    static inline const std::string interruptedByUserName = "Shake Interrupted By User";
    static inline const std::string stateKey = "shake_monitor";

    static ShakeBroadcaster& shared();

    void broadcastShakeChanged(bool value);
    void broadcastInterrupted();
    void broadcastInterruptedByUser();
};

} // namespace wigglet
