#include "RunLoopContract.h"
#include "platform/sim/SimPlatform.h"

#include <cmath>

namespace wigglet::test {

namespace {

class SimHarness final : public RunLoopHarness {
  public:
    RunLoop& loop() override { return sim.runLoop; }
    void runFor(double seconds) override { sim.advanceSeconds(seconds); }
    void block(double seconds) override {
        sim.sleeper.sleepMicroseconds(static_cast<std::uint32_t>(std::llround(seconds * 1e6)));
    }
    double tolerance() const override { return 1e-6; }

  private:
    sim::SimPlatform sim;
};

} // namespace

INSTANTIATE_TEST_SUITE_P(Simulated, RunLoopContract, ::testing::Values(HarnessFactory([] {
                             return std::unique_ptr<RunLoopHarness>(new SimHarness);
                         })));

} // namespace wigglet::test
