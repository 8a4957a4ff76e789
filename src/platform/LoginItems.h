#pragma once

#include <optional>
#include <string>
#include <vector>

namespace wigglet {

inline constexpr int SMAppServiceStatusEnabled = 1;

// One entry of the user's launch-domain job list (the mechanism before system version 13).
struct LoginJob {
    std::optional<std::string> label;
    std::optional<bool> onDemand;
};

// The system's registry of programs started at login. Registration failures come back as a
// localized reason.
class LoginItems {
  public:
    virtual ~LoginItems() = default;

    // Current mechanism: the main application registered as a login item.
    virtual int mainAppStatus() = 0;
    std::optional<std::string> registerMainApp();
    std::optional<std::string> unregisterMainApp();

    // Legacy mechanism: a helper enabled as a login item, read back from the job list.
    virtual std::optional<std::vector<LoginJob>> copyAllJobDictionaries() = 0;
    bool setLoginItemEnabled(const std::string& identifier, bool enabled);

  protected:
    virtual std::optional<std::string> doRegisterMainApp() = 0;
    virtual std::optional<std::string> doUnregisterMainApp() = 0;
    virtual bool doSetLoginItemEnabled(const std::string& identifier, bool enabled) = 0;
};

} // namespace wigglet
