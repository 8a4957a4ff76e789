#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace wigglet {

inline constexpr std::int32_t kIOReturnSuccess = 0;
inline constexpr std::int32_t kIOReturnAborted = static_cast<std::int32_t>(0xE00002EB);

struct AssertionResult {
    std::int32_t result = kIOReturnAborted;
    std::uint32_t id = 0;
};

// The one assertion type this program takes: the display stays on while the user is idle.
inline constexpr const char* preventUserIdleDisplaySleep = "PreventUserIdleDisplaySleep";

// Keep-awake services: a named idle-display-sleep assertion, the process activity and the
// declaration of user activity. Calls are traced here.
class PowerManagement {
  public:
    using ActivityToken = std::shared_ptr<void>;

    virtual ~PowerManagement() = default;

    AssertionResult createAssertion(const std::string& type, const std::string& name);
    void releaseAssertion(std::uint32_t id);
    // The token keeps the activity alive for as long as it is held.
    ActivityToken beginActivity(std::uint64_t options, const std::string& reason);
    // Does nothing where the platform cannot declare user activity.
    void declareUserActivity();

  protected:
    virtual AssertionResult doCreateAssertion(const std::string& type, const std::string& name) = 0;
    virtual void doReleaseAssertion(std::uint32_t id) = 0;
    virtual ActivityToken doBeginActivity(std::uint64_t options, const std::string& reason) = 0;
    virtual bool canDeclareUserActivity() { return true; }
    virtual void doDeclareUserActivity() = 0;
};

} // namespace wigglet
