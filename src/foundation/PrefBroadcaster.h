#pragma once

#include <string>

namespace wigglet {

// Announces preference changes made in the preferences window.
class PrefBroadcaster {
  public:
    static inline const std::string preferencesUpdatedName = "Preferences Updated";

    static PrefBroadcaster& shared();
    void broadcast();
};

} // namespace wigglet
