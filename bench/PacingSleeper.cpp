#include "PacingSleeper.h"

#include <cerrno>
#include <chrono>
#include <ctime>
#include <sched.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

namespace wigglet::bench {

namespace {

constexpr std::int64_t kNanosPerSecond = 1000000000;
constexpr std::int64_t kSpinTailNanos = 100000;

std::int64_t monotonicNanos() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t{now.tv_sec} * kNanosPerSecond + now.tv_nsec;
}

timespec toTimespec(std::int64_t nanos) {
    return {static_cast<time_t>(nanos / kNanosPerSecond),
            static_cast<long>(nanos % kNanosPerSecond)};
}

void sleepUntilAbsolute(std::int64_t deadline) {
    const timespec target = toTimespec(deadline);
    // An absolute deadline survives a signal: the retry sleeps only what is left.
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &target, nullptr) == EINTR) {
    }
}

void sleepRelative(std::int64_t nanos) {
    timespec left = toTimespec(nanos);
    while (nanosleep(&left, &left) == -1 && errno == EINTR) {
    }
}

// The kernel's struct sched_attr; glibc has no wrapper for sched_setattr.
struct SchedAttr {
    std::uint32_t size;
    std::uint32_t policy;
    std::uint64_t flags;
    std::int32_t nice;
    std::uint32_t priority;
    std::uint64_t runtime; // for SCHED_OTHER: the requested slice, 0 for the default
    std::uint64_t deadline;
    std::uint64_t period;
    std::uint32_t utilMin;
    std::uint32_t utilMax;
};

constexpr std::uint64_t kShortestSliceNanos = 100000;

// The calling thread's slice request; 0 when it has none or it cannot be read.
std::uint64_t currentSlice() {
    SchedAttr attr{};
    attr.size = sizeof attr;
    if (syscall(SYS_sched_getattr, 0, &attr, sizeof attr, 0) != 0)
        return 0;
    return attr.runtime;
}

void requestSlice(std::uint64_t nanos) {
    SchedAttr attr{};
    attr.size = sizeof attr;
    if (syscall(SYS_sched_getattr, 0, &attr, sizeof attr, 0) != 0 || attr.policy != SCHED_OTHER)
        return;
    attr.flags = 0;
    attr.runtime = nanos;
    syscall(SYS_sched_setattr, 0, &attr, 0);
}

} // namespace

PacingSleeper::PacingSleeper(Technique technique) : technique_(technique) {
    previousSlack_ = prctl(PR_GET_TIMERSLACK, 0, 0, 0, 0);
    previousSlice_ = currentSlice();
    if (technique_.slack == Slack::OneNanosecond)
        prctl(PR_SET_TIMERSLACK, 1UL, 0, 0, 0);
    if (technique_.slice == Slice::Shortest)
        requestSlice(kShortestSliceNanos);
}

PacingSleeper::~PacingSleeper() {
    if (technique_.slack == Slack::OneNanosecond && previousSlack_ > 0)
        prctl(PR_SET_TIMERSLACK, static_cast<unsigned long>(previousSlack_), 0, 0, 0);
    if (technique_.slice == Slice::Shortest)
        requestSlice(0);
}

std::string PacingSleeper::name() const {
    std::string text;
    switch (technique_.deadline) {
    case Deadline::Relative:
        text = "relative nanosleep";
        break;
    case Deadline::StdSleepUntil:
        text = "std::this_thread::sleep_until";
        break;
    case Deadline::Absolute:
        text = "absolute clock_nanosleep";
        break;
    case Deadline::AbsoluteSpinTail:
        text = "absolute + 100us spin";
        break;
    }
    text += technique_.slack == Slack::OneNanosecond ? ", slack 1ns" : ", slack default";
    text += technique_.slice == Slice::Shortest ? ", slice 0.1ms" : ", slice default";
    return text;
}

void PacingSleeper::doSleep(std::uint32_t microseconds) {
    const std::int64_t start = monotonicNanos();
    const std::int64_t deadline = start + std::int64_t{microseconds} * 1000;
    switch (technique_.deadline) {
    case Deadline::Relative:
        sleepRelative(deadline - start);
        break;
    case Deadline::StdSleepUntil:
        std::this_thread::sleep_until(std::chrono::steady_clock::now() +
                                      std::chrono::microseconds(microseconds));
        break;
    case Deadline::Absolute:
        sleepUntilAbsolute(deadline);
        break;
    case Deadline::AbsoluteSpinTail:
        if (deadline - start > kSpinTailNanos)
            sleepUntilAbsolute(deadline - kSpinTailNanos);
        while (monotonicNanos() < deadline) {
        }
        break;
    }
    pauses_.push_back({microseconds, monotonicNanos() - start});
}

} // namespace wigglet::bench
