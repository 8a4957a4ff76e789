#pragma once

#include <cstdint>
#include <optional>

namespace wigglet::desktop {

// Reads the server's idle count as the user's: when the last input the server counted may be
// this program's own, the age of the last input known to be the user's is carried forward.
// Times are seconds on one monotonic clock; the server counts whole milliseconds, truncated.
class OwnInputFilter {
  public:
    // `askedAt`: just before the server was asked. `lastOwnInput`: when the server was last
    // known to hold this program's own input (after a round trip), if ever.
    double userIdle(double askedAt, std::int64_t serverIdleMs, std::optional<double> lastOwnInput);

  private:
    std::optional<double> lastUserInput_;
};

} // namespace wigglet::desktop
