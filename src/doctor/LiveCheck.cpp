#include "doctor/LiveCheck.h"

#include "input/Mouse.h"
#include "system/LegacyUserActivity.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace wigglet::doctor {

LiveCheck::LiveCheck(std::vector<std::unique_ptr<desktop::IdleProbe>> probes)
    : probes_(std::move(probes)) {}

std::string LiveCheck::stepDescription() {
    return "idle counts read after 3 s without input, then one step (declared activity and a "
           "pointer move), then read again";
}

std::vector<DoctorReport::IdleSource> LiveCheck::run() {
    wait(quietMs);
    QElapsedTimer clock;
    clock.start();
    std::vector<DoctorReport::IdleSource> sources = read();
    step();
    wait(settleMs);
    const std::vector<DoctorReport::IdleSource> after = read();
    // A count the step did not restart has grown by the time between the readings.
    const double between = static_cast<double>(clock.elapsed()) / 1000.0;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        DoctorReport::IdleSource& source = sources[i];
        source.idleAfter = after[i].idleBefore;
        if (!source.idleBefore || !source.idleAfter)
            continue;
        if (*source.idleBefore < leastIdleBefore)
            source.note = "it did not count the session as idle before the step (input during "
                          "the check, or a source that marks idleness only after its own timeout)";
        else
            source.reset = *source.idleAfter < *source.idleBefore + between - resetMargin;
    }
    return sources;
}

std::vector<DoctorReport::IdleSource> LiveCheck::read() {
    std::vector<DoctorReport::IdleSource> sources;
    for (const auto& probe : probes_) {
        DoctorReport::IdleSource& source = sources.emplace_back();
        source.name = probe->name();
        source.readers = probe->readers();
        source.idleBefore = probe->idleSeconds(source.whyNot);
    }
    return sources;
}

void LiveCheck::step() {
    // The parts of Wigglet's step that every setting keeps: the declared activity and the
    // pointer's move (the doctor's own settings have it on).
    LegacyUserActivity().maintain();
    Mouse().shakeMove();
}

void LiveCheck::wait(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace wigglet::doctor
