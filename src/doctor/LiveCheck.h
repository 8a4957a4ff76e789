#pragma once

#include "doctor/DoctorReport.h"
#include "platform/linux/IdleProbe.h"

#include <memory>
#include <vector>

namespace wigglet::doctor {

// About five seconds: every idle count is read after a quiet wait, then Wigglet makes one
// step as it would (declares activity, moves the pointer), and each count is read again. A
// count that did not grow by the time between the readings was restarted by the step.
class LiveCheck {
  public:
    static constexpr int quietMs = 3000;
    static constexpr int settleMs = 1500;
    // Below this a count before the step says someone (or something) was active.
    static constexpr double leastIdleBefore = 1.5;
    // What reading a count may be off by (the compositor's counts go by whole watches).
    static constexpr double resetMargin = 0.5;

    explicit LiveCheck(std::vector<std::unique_ptr<desktop::IdleProbe>> probes);

    std::vector<DoctorReport::IdleSource> run();
    static std::string stepDescription();

  private:
    std::vector<DoctorReport::IdleSource> read();
    static void step();
    static void wait(int milliseconds);

    std::vector<std::unique_ptr<desktop::IdleProbe>> probes_;
};

} // namespace wigglet::doctor
