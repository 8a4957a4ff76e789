#include "platform/linux/posix/RealSleeper.h"

#include <cerrno>
#include <ctime>
#include <sys/prctl.h>

namespace wigglet::desktop {

RealSleeper::RealSleeper() {
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
}

void RealSleeper::doSleep(std::uint32_t microseconds) {
    timespec deadline{};
    clock_gettime(CLOCK_MONOTONIC, &deadline);
    const long long nanoseconds = deadline.tv_nsec + static_cast<long long>(microseconds) * 1000;
    deadline.tv_sec += static_cast<time_t>(nanoseconds / 1'000'000'000);
    deadline.tv_nsec = static_cast<long>(nanoseconds % 1'000'000'000);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {
    }
}

} // namespace wigglet::desktop
