#pragma once

#include "platform/PowerManagement.h"

#include <set>

namespace wigglet::sim {

class SimClock;
struct SimWorld;

// Assertions are numbered from 1; the next creation can be made to fail. Declared activity
// resets the idle sources that count it.
class SimPowerManagement final : public PowerManagement {
  public:
    SimPowerManagement(SimClock& clock, SimWorld& world) : clock_(clock), world_(world) {}
    void failNextAssertion() { failNext_ = true; }
    const std::set<std::uint32_t>& held() const { return held_; }
    // The process ended: whatever it held goes with it.
    void processEnded() { held_.clear(); }

  protected:
    AssertionResult doCreateAssertion(const std::string& type, const std::string& name) override;
    void doReleaseAssertion(std::uint32_t id) override;
    ActivityToken doBeginActivity(std::uint64_t options, const std::string& reason) override;
    void doDeclareUserActivity() override;

  private:
    SimClock& clock_;
    SimWorld& world_;
    bool failNext_ = false;
    std::uint32_t nextId_ = 1;
    std::set<std::uint32_t> held_;
};

} // namespace wigglet::sim
