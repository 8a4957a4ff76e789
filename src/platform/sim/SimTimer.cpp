#include "platform/sim/SimTimer.h"

namespace wigglet::sim {

SimTimer::SimTimer(const SimClock& clock, std::int64_t fireAt, std::int64_t interval, bool repeats,
                   std::uint64_t order, std::function<void()> callback)
    : clock_(clock), fireAt_(fireAt), interval_(interval), slot_(fireAt), repeats_(repeats),
      order_(order), callback_(std::move(callback)) {}

void SimTimer::fire(const std::function<std::int64_t()>& clockAfter) {
    if (!repeats_)
        valid_ = false;
    // The callback may drop the last reference to this timer; keep what we need.
    auto callback = callback_;
    callback();
    if (!repeats_ || !valid_)
        return;
    const std::int64_t end = clockAfter();
    const std::int64_t nextSlot = slot_ + interval_;
    if (interval_ <= 0 || nextSlot > end) {
        slot_ = nextSlot;
        fireAt_ = nextSlot;
        return;
    }
    // Grid points passed while the callback ran: one fire now stands for all of them, and
    // the schedule then goes on from the last of them.
    slot_ = slot_ + (end - slot_) / interval_ * interval_;
    fireAt_ = end;
}

} // namespace wigglet::sim
