#pragma once

#include "platform/SystemEvents.h"

#include <map>
#include <string>

namespace wigglet::sim {

// The simulated machine's announcements, made when a scenario changes the world: a sleep that
// ends, a charger plugged in or out, a program started or ended.
class SimSystemEvents final : public SystemEvents {
  public:
    bool programRunning(const std::string& name) override;
    void startProgram(const std::string& name);
    void endProgram(const std::string& name);
    void woke() { tell(Kind::Woke); }
    void powerSourceChanged() { tell(Kind::PowerSourceChanged); }

  private:
    std::map<std::string, int> running_;
};

} // namespace wigglet::sim
