#include "platform/linux/posix/RealSleeper.h"

#include <cerrno>
#include <ctime>
#include <sys/prctl.h>

namespace wigglet::desktop {

RealSleeper::RealSleeper() {
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
}

namespace {

constexpr long long kSpinTailNanoseconds = 100'000;

long long nowNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

timespec toTimespec(long long nanoseconds) {
    return {static_cast<time_t>(nanoseconds / 1'000'000'000),
            static_cast<long>(nanoseconds % 1'000'000'000)};
}

} // namespace

void RealSleeper::doSleep(std::uint32_t microseconds) {
    const long long deadline = nowNanoseconds() + static_cast<long long>(microseconds) * 1000;
    // The kernel wakes a sleeper some tens of microseconds late, and over the hundreds of
    // pauses of one pattern that adds up past its length: sleep to just short of the deadline
    // and wait out the rest awake.
    const timespec wake = toTimespec(deadline - kSpinTailNanoseconds);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &wake, nullptr) == EINTR) {
    }
    while (nowNanoseconds() < deadline) {
    }
}

} // namespace wigglet::desktop
