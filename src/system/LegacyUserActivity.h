#pragma once

namespace wigglet {

// Declares user activity to the power manager on every shake step; a no-op where the
// platform cannot.
class LegacyUserActivity {
  public:
    void maintain();
};

} // namespace wigglet
