#include "PacingSleeper.h"

#include <cerrno>
#include <chrono>
#include <ctime>
#include <sys/prctl.h>
#include <thread>

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

} // namespace

PacingSleeper::PacingSleeper(Deadline deadline, Slack slack) : deadline_(deadline), slack_(slack) {
    previousSlack_ = prctl(PR_GET_TIMERSLACK, 0, 0, 0, 0);
    if (slack_ == Slack::OneNanosecond)
        prctl(PR_SET_TIMERSLACK, 1UL, 0, 0, 0);
}

PacingSleeper::~PacingSleeper() {
    if (slack_ == Slack::OneNanosecond && previousSlack_ > 0)
        prctl(PR_SET_TIMERSLACK, static_cast<unsigned long>(previousSlack_), 0, 0, 0);
}

std::string PacingSleeper::name() const {
    std::string text;
    switch (deadline_) {
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
    return text + (slack_ == Slack::OneNanosecond ? ", slack 1ns" : ", slack default");
}

void PacingSleeper::doSleep(std::uint32_t microseconds) {
    const std::int64_t start = monotonicNanos();
    const std::int64_t deadline = start + std::int64_t{microseconds} * 1000;
    switch (deadline_) {
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
