#pragma once

#include "control/ControlState.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace wigglet {

class AppDelegate;

// Shaking driven from outside the program (scripts, panels): the same delegate routines as
// the menu and the shortcut, with the arguments checked first, and word of every change of
// state whatever caused it.
class RemoteControl {
  public:
    using ChangeHandler =
        std::function<void(const ControlState& state, const std::vector<std::string>& changed)>;

    RemoteControl(AppDelegate& delegate, ChangeHandler onChange);

    // The shortcut's routine: indefinite shaking on, or stop.
    void toggle();
    // The duration items' routine; 0 means indefinitely. The reason when the minutes are out of
    // range, and then nothing changes.
    std::optional<std::string> shakeFor(std::int64_t minutes);
    void stop();
    // A period that ends the next time the clock shows HH:MM; the reason when the text is not
    // a time of day.
    std::optional<std::string> shakeUntil(const std::string& timeOfDay);
    // Shaking held on until released, for a script that waits for a program.
    int hold(const std::string& label);
    void release(int id);

    ControlState state() const { return ControlState::read(); }

  private:
    void refreshed();

    AppDelegate& delegate_;
    ChangeHandler onChange_;
    ControlState last_;
};

} // namespace wigglet
