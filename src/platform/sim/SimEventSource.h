#pragma once

#include "platform/EventSource.h"

namespace wigglet::sim {

class SimClock;
struct SimWorld;

// Input at the simulated HID level. Posted events count as input, as real ones do; warps do
// not. Brightness keys move the simulated brightness by 1/16 a press.
class SimEventSource final : public EventSource {
  public:
    SimEventSource(SimClock& clock, SimWorld& world) : clock_(clock), world_(world) {}

    double secondsSinceLastInput() override;
    bool mayPostEvents() override;

    // Real input by the user, now.
    void userInput();

  protected:
    bool allocateEvent() override;
    void doPost(const MouseEvent& event) override;
    void doPost(const ScrollEvent& event) override;
    void doPost(const KeyEvent& event) override;
    void doPost(const SystemDefinedEvent& event) override;
    void doWarp(Point location) override;
    void doNudge(Point location) override;

  private:
    void countAsInput();

    SimClock& clock_;
    SimWorld& world_;
};

} // namespace wigglet::sim
