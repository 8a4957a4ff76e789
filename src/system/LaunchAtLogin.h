#pragma once

namespace wigglet {

// Whether Wigglet starts at login; the system's login-item registry is the only record.
class LaunchAtLogin {
  public:
    static bool isEnabled();
    static void setEnabled(bool enabled);
};

} // namespace wigglet
