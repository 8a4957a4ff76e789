#pragma once

#include "platform/PowerManagement.h"

#include <cstdint>
#include <set>
#include <vector>

namespace wigglet::desktop {

class KeepAwakeMechanism;

// Keeps the display awake through every mechanism the session offers, all at once, for as
// long as any assertion is held; a declared activity goes to each of them. A session with no
// mechanism at all refuses assertions. The process activity needs nothing beyond its token.
class DesktopPowerManagement : public PowerManagement {
  public:
    // The mechanisms must outlive this object.
    explicit DesktopPowerManagement(std::vector<KeepAwakeMechanism*> mechanisms);
    ~DesktopPowerManagement() override;

  protected:
    AssertionResult doCreateAssertion(const std::string& type, const std::string& name) override;
    void doReleaseAssertion(std::uint32_t id) override;
    ActivityToken doBeginActivity(std::uint64_t options, const std::string& reason) override;
    bool canDeclareUserActivity() override { return !mechanisms_.empty(); }
    void doDeclareUserActivity() override;

  private:
    std::vector<KeepAwakeMechanism*> mechanisms_;
    std::set<std::uint32_t> held_;
};

} // namespace wigglet::desktop
