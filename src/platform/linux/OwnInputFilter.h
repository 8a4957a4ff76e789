#pragma once

#include <cstdint>
#include <optional>

namespace wigglet::desktop {

// Reads the server's idle count as the user's: when the last input the server counted may be
// this program's own, the age of the last input known to be the user's is carried forward.
// Times are seconds on one monotonic clock; the server counts whole milliseconds, truncated.
class OwnInputFilter {
  public:
    // `ownInputLatency`: how long after this program sent its input the server may count it
    // (0 where a round trip tells that the server has it; X11's XSync).
    explicit OwnInputFilter(double ownInputLatency = 0) : ownInputLatency_(ownInputLatency) {}

    // `askedAt`: just before the server was asked. `lastOwnInput`: when the server was last
    // known to hold this program's own input (after a round trip), or when it was sent, if
    // ever.
    double userIdle(double askedAt, std::int64_t serverIdleMs, std::optional<double> lastOwnInput);

  private:
    double ownInputLatency_;
    std::optional<double> lastUserInput_;
};

} // namespace wigglet::desktop
