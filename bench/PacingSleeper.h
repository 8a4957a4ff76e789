#pragma once

#include "platform/Sleeper.h"

#include <cstdint>
#include <string>
#include <vector>

namespace wigglet::bench {

// A real sleeper for measuring pacing: it sleeps the way it was told to and keeps, for every
// pause, what was asked and how long it actually took. Lives on the thread that sleeps.
class PacingSleeper final : public Sleeper {
  public:
    enum class Deadline {
        // nanosleep for the asked length, as usleep does.
        Relative,
        // std::this_thread::sleep_until on the steady clock.
        StdSleepUntil,
        // clock_nanosleep to an absolute CLOCK_MONOTONIC deadline taken on entry.
        Absolute,
        // Absolute, waking 100 us early and spinning to the deadline.
        AbsoluteSpinTail,
    };
    // The kernel adds up to the thread's timer slack (50 us by default) to every timed sleep,
    // so that nearby wake-ups can be merged.
    enum class Slack { Default, OneNanosecond };
    // Under load a woken thread waits for the running one's slice to end (EEVDF: about
    // 3 ms); asking for the shortest slice (0.1 ms, no privilege needed since Linux 6.12)
    // lets the wake-up preempt it.
    enum class Slice { Default, Shortest };

    struct Technique {
        Deadline deadline;
        Slack slack;
        Slice slice;
    };

    struct Pause {
        std::uint32_t askedMicros;
        std::int64_t tookNanos;
    };

    explicit PacingSleeper(Technique technique);
    ~PacingSleeper() override;
    PacingSleeper(const PacingSleeper&) = delete;
    PacingSleeper& operator=(const PacingSleeper&) = delete;

    std::string name() const;
    const std::vector<Pause>& pauses() const { return pauses_; }
    void clear() { pauses_.clear(); }

  protected:
    void doSleep(std::uint32_t microseconds) override;

  private:
    Technique technique_;
    long previousSlack_ = 0;
    std::uint64_t previousSlice_ = 0;
    std::vector<Pause> pauses_;
};

} // namespace wigglet::bench
