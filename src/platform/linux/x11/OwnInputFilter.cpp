#include "platform/linux/x11/OwnInputFilter.h"

#include <algorithm>

namespace wigglet::desktop {

namespace {

// The server's count is truncated to this unit.
constexpr double kServerTick = 0.001;

} // namespace

double OwnInputFilter::userIdle(double askedAt, std::int64_t serverIdleMs,
                                std::optional<double> lastOwnInput) {
    const double serverIdle = static_cast<double>(std::max<std::int64_t>(serverIdleMs, 0)) / 1000;
    // The earliest the counted input can be; any later than our own last event, and it is
    // the user's. Input within a server tick of ours is taken for ours.
    const double earliest = askedAt - serverIdle - kServerTick;
    if (!lastOwnInput || earliest > *lastOwnInput) {
        lastUserInput_ = askedAt - serverIdle;
        return serverIdle;
    }
    // Nothing of the user's seen yet: the user's input is older than our first reading.
    if (!lastUserInput_)
        lastUserInput_ = askedAt - serverIdle;
    return std::max(askedAt - *lastUserInput_, serverIdle);
}

} // namespace wigglet::desktop
