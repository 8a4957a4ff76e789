#pragma once

#include "foundation/Localizer.h"
#include "platform/RunLoop.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace wigglet {

struct TimeLeft {
    std::int64_t hours = 0;
    std::int64_t minutes = 0;
    std::int64_t seconds = 0;
    bool isNegative() const { return hours < 0 || minutes < 0 || seconds < 0; }
};

// The countdown of a timed shaking period.
class ShakeTimer {
  public:
    static ShakeTimer& shared();

    void start(std::int64_t minutes);
    // A period that ends at a wall-clock date, which a sleep of the machine does not move.
    void startUntil(double date);
    // The machine woke: a period with an end date is put back on it.
    void woke();
    // Remaining time truncated toward zero; (0, 0, 0) when no countdown runs.
    TimeLeft timeLeft() const;
    // The menu's text in the user's language: "29m 59s", "01h 29m", or "Indefinitely".
    std::string timeLeftString() const;
    // "%02im %02is" below an hour, "%02ih %02im" from an hour on, in the table's words.
    static std::string format(const TimeLeft& left, const Localizer& texts);
    void shakeForElasped();
    // A period is timed exactly while the countdown is present and still valid.
    bool isTimed() const { return shakeForTimer && shakeForTimer->isValid(); }
    void cancel();

    std::shared_ptr<Timer> shakeForTimer;

  private:
    void schedule(double seconds);

    std::optional<double> endsAt_;
};

} // namespace wigglet
