// Wall time of each pointer and scroll pattern against the sum of the pauses it asks for, on
// the real clock, for several ways of sleeping. Events go nowhere: they are only counted.
//
//   bench_input_pacing [--runs N] [--all]
//
// By default it compares the plain relative sleep (what usleep does) with the recommended one;
// --all adds every other technique. Prints one table per technique: medians over N runs
// (default 5) of the wall time and of its overshoot over the asked pauses, of the same
// overshoot without stalled pauses (over 1 ms late: the thread waited for a CPU) and of the
// number of stalls; then the spread of single pauses' overshoot over all runs (min, median,
// 99th percentile, max), and the thread's own CPU time per pattern.

#include "CountingEventSource.h"
#include "FixedScreens.h"
#include "PacingSleeper.h"
#include "input/MouseControl.h"
#include "platform/Platform.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <sys/prctl.h>
#include <vector>

using namespace wigglet;
using namespace wigglet::bench;

namespace {

struct Pattern {
    const char* name;
    double nominalSeconds;
    Point pointer;
    std::function<void(MouseControl&)> run;
};

struct Sample {
    double askedSeconds;
    double wallSeconds;
    double cpuSeconds;
    std::vector<std::int64_t> deltaNanos; // took - asked, per pause
};

double clockSeconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

template <class T> T percentile(std::vector<T> values, double fraction) {
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1));
    return values[at];
}

template <class T> T median(std::vector<T> values) {
    return percentile(std::move(values), 0.5);
}

Sample measure(const Pattern& pattern, PacingSleeper& sleeper, CountingEventSource& events) {
    MouseControl control;
    events.pointer = pattern.pointer;
    sleeper.clear();
    const double cpuStart = clockSeconds(CLOCK_THREAD_CPUTIME_ID);
    const double wallStart = clockSeconds(CLOCK_MONOTONIC);
    pattern.run(control);
    const double wall = clockSeconds(CLOCK_MONOTONIC) - wallStart;
    const double cpu = clockSeconds(CLOCK_THREAD_CPUTIME_ID) - cpuStart;

    Sample sample{0, wall, cpu, {}};
    for (const PacingSleeper::Pause& pause : sleeper.pauses()) {
        sample.askedSeconds += pause.askedMicros / 1e6;
        sample.deltaNanos.push_back(pause.tookNanos - std::int64_t{pause.askedMicros} * 1000);
    }
    return sample;
}

const std::vector<Pattern>& patterns() {
    static const std::vector<Pattern> all = {
        {"natural excursion",
         0.93,
         {720, 450},
         [](MouseControl& c) { c.shakeMouseNaturalGoing(); }},
        {"natural return",
         1.28,
         {1020, 650},
         [](MouseControl& c) {
             c.shakeMouseNaturalReturningTo({720, 450});
         }},
        {"smooth excursion", 1.67, {720, 450}, [](MouseControl& c) { c.shakeMouseSmooth(); }},
        {"natural scroll",
         0.96,
         {720, 450},
         [](MouseControl& c) { c.simulateNaturalScrollWithDistance(26); }},
        {"smooth scroll",
         0.8,
         {720, 450},
         [](MouseControl& c) { c.simulateSmoothScrollWithDistance(100, 0.8); }},
    };
    return all;
}

// A pause this much too long means the thread waited for a CPU, not for its timer.
constexpr std::int64_t kStallNanos = 1000000;

// The overshoot of a run, in percent of its asked pauses, counting only pauses that did not
// stall: what the technique itself costs on a machine with a CPU free.
double overWithoutStalls(const Sample& s) {
    double nanos = 0;
    for (const std::int64_t delta : s.deltaNanos)
        if (delta < kStallNanos)
            nanos += static_cast<double>(delta);
    return nanos / 1e9 / s.askedSeconds * 100;
}

// True when every pattern kept within 1% over its asked pauses and no pause came short.
bool report(const std::string& technique, const std::vector<std::vector<Sample>>& samples) {
    std::printf("\n%s\n", technique.c_str());
    std::printf("  %-18s %7s %7s %7s %7s %7s %6s   %-27s %6s\n", "", "nominal", "asked", "wall",
                "over", "w/o st", "stalls", "single pause overshoot, us", "cpu");
    std::printf("  %-18s %7s %7s %7s %7s %7s %6s   %6s %6s %6s %7s %6s\n", "pattern", "s", "s", "s",
                "%", "%", "/run", "min", "p50", "p99", "max", "ms");
    bool ok = true;
    for (std::size_t p = 0; p < patterns().size(); ++p) {
        std::vector<double> asked, wall, over, steady, stalls, cpu;
        std::vector<std::int64_t> deltas;
        for (const Sample& s : samples[p]) {
            asked.push_back(s.askedSeconds);
            wall.push_back(s.wallSeconds);
            over.push_back((s.wallSeconds - s.askedSeconds) / s.askedSeconds * 100);
            steady.push_back(overWithoutStalls(s));
            stalls.push_back(static_cast<double>(
                std::count_if(s.deltaNanos.begin(), s.deltaNanos.end(),
                              [](std::int64_t delta) { return delta >= kStallNanos; })));
            cpu.push_back(s.cpuSeconds * 1e3);
            deltas.insert(deltas.end(), s.deltaNanos.begin(), s.deltaNanos.end());
        }
        const double medianOver = median(over);
        const double shortest = static_cast<double>(percentile(deltas, 0.0)) / 1e3;
        ok = ok && medianOver <= 1.0 && shortest >= 0;
        std::printf("  %-18s %7.2f %7.4f %7.4f %7.3f %7.3f %6.0f   %6.1f %6.1f %6.1f %7.0f %6.2f\n",
                    patterns()[p].name, patterns()[p].nominalSeconds, median(asked), median(wall),
                    medianOver, median(steady), median(stalls), shortest,
                    static_cast<double>(percentile(deltas, 0.5)) / 1e3,
                    static_cast<double>(percentile(deltas, 0.99)) / 1e3,
                    static_cast<double>(percentile(deltas, 1.0)) / 1e3, median(cpu));
    }
    std::printf("  %s\n", ok ? "within 1% over nominal, no pause short" : "MISSES the target");
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    int runs = 5;
    bool all = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--all")
            all = true;
        else if (arg == "--runs" && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else {
            std::fprintf(stderr, "usage: %s [--runs N] [--all]\n", argv[0]);
            return 2;
        }
    }
    using D = PacingSleeper::Deadline;
    using S = PacingSleeper::Slack;
    using L = PacingSleeper::Slice;
    const PacingSleeper::Technique plain{D::Relative, S::Default, L::Default};
    const PacingSleeper::Technique recommended{D::Absolute, S::OneNanosecond, L::Shortest};
    std::vector<PacingSleeper::Technique> techniques = {plain, recommended};
    if (all)
        techniques = {
            plain,
            {D::StdSleepUntil, S::Default, L::Default},
            {D::Absolute, S::Default, L::Default},
            {D::Relative, S::OneNanosecond, L::Default},
            {D::Absolute, S::OneNanosecond, L::Default},
            recommended,
            {D::AbsoluteSpinTail, S::OneNanosecond, L::Shortest},
        };
    std::printf("input pacing: %d runs per pattern, medians; timer slack of this thread %ld ns\n",
                runs, static_cast<long>(prctl(PR_GET_TIMERSLACK, 0, 0, 0, 0)));
    for (const PacingSleeper::Technique& technique : techniques) {
        CountingEventSource events;
        FixedScreens screens(events);
        PacingSleeper sleeper(technique);
        PlatformServices services;
        services.events = &events;
        services.screens = &screens;
        services.sleeper = &sleeper;
        Platform platform(services);
        PlatformScope scope(platform);

        std::vector<std::vector<Sample>> samples(patterns().size());
        for (int run = 0; run < runs; ++run)
            for (std::size_t p = 0; p < patterns().size(); ++p)
                samples[p].push_back(measure(patterns()[p], sleeper, events));
        report(sleeper.name(), samples);
    }
    return 0;
}
