#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wigglet {

// The longest period a script may ask for: seven days.
inline constexpr std::int64_t kMaxShakeMinutes = 7 * 24 * 60;

// What a script or a panel may know of the program: whether it shakes, for how long, and
// which kinds of input a step makes. Read from the store and the countdown, never cached.
struct ControlState {
    bool shaking = false;
    bool timed = false;
    std::int64_t secondsLeft = 0;
    std::int64_t lastDurationSelected = 0;
    bool moveCursor = false;
    bool click = false;
    bool scroll = false;
    // The rule or hold that keeps shaking on, in English, and the date it lets go (0: none
    // known); empty while nothing does.
    std::string heldBy;
    std::int64_t heldUntil = 0;
    // Why settings are held in memory only; empty while they are saved.
    std::string settingsNotSaved;
    // The countdown's fire date, which tells a restarted countdown from a running one.
    std::optional<double> countdownEnds;

    static ControlState read();

    // The names of the properties that differ from an earlier state. The countdown running
    // down is not a change; a countdown that starts, restarts or ends is.
    std::vector<std::string> changedSince(const ControlState& earlier) const;

  private:
    bool countdownMoved(const ControlState& earlier) const;
};

} // namespace wigglet
