#pragma once

namespace wigglet {

class SettingsStore;

// What the user should learn once as the program starts, beyond the log: a settings file that
// was set aside, and shaking that carries on from the last session without being asked.
class StartupNotices {
  public:
    // After launch, once the delegate has settled what shaking resumes.
    static void tell(SettingsStore& store);
};

} // namespace wigglet
