#include "platform/sim/SimEventSource.h"

#include "platform/sim/SimClock.h"
#include "platform/sim/SimWorld.h"

#include <algorithm>

namespace wigglet::sim {

double SimEventSource::secondsSinceLastInput() {
    const std::int64_t now = clock_.micros();
    std::int64_t last = std::min(world_.lastInputMicros, now);
    for (const auto& [from, to] : world_.activePeriods)
        if (from <= now)
            last = std::max(last, std::min(now, to));
    return static_cast<double>(now - last) / 1e6;
}

bool SimEventSource::mayPostEvents() {
    return world_.trusted;
}

void SimEventSource::userInput() {
    countAsInput();
}

bool SimEventSource::allocateEvent() {
    if (world_.failEvents > 0) {
        --world_.failEvents;
        return false;
    }
    return true;
}

void SimEventSource::countAsInput() {
    world_.lastInputMicros = std::max(world_.lastInputMicros, clock_.micros());
}

void SimEventSource::doPost(const MouseEvent& event) {
    world_.pointer = event.location;
    countAsInput();
}

void SimEventSource::doPost(const ScrollEvent&) {
    countAsInput();
}

void SimEventSource::doPost(const KeyEvent&) {
    countAsInput();
}

void SimEventSource::doPost(const SystemDefinedEvent& event) {
    countAsInput();
    const bool down = (event.data1 & 0xFF00) == 0x0A00;
    const auto keyType = (event.data1 >> 16) & 0xFF;
    if (!down || !world_.brightness)
        return;
    constexpr float step = 1.0f / 16.0f;
    if (keyType == 3)
        world_.brightness = std::max(0.0f, *world_.brightness - step);
    else if (keyType == 2)
        world_.brightness = std::min(1.0f, *world_.brightness + step);
}

void SimEventSource::doWarp(Point location) {
    world_.pointer = location;
}

void SimEventSource::doNudge(Point location) {
    world_.pointer = location;
    countAsInput();
}

} // namespace wigglet::sim
