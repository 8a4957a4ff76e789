#include "platform/sim/SimEventSource.h"

#include "platform/sim/SimClock.h"
#include "platform/sim/SimWorld.h"

#include <algorithm>

namespace wigglet::sim {

double SimEventSource::secondsSinceLastInput() {
    return world_.idleSeconds(world_.lastInputMicros, clock_.micros());
}

bool SimEventSource::mayPostEvents() {
    return world_.trusted;
}

void SimEventSource::userInput() {
    countAsInput();
    for (SimIdleSource& source : world_.idleSources)
        source.lastResetMicros = std::max(source.lastResetMicros, clock_.micros());
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
    world_.resetIdleSources(SimIdleSource::ResetBy::Input, clock_.micros());
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
    // Not input for the HID count the core reads, but the other sources see the pointer move.
    world_.resetIdleSources(SimIdleSource::ResetBy::Input, clock_.micros());
}

void SimEventSource::doNudge(Point location) {
    world_.pointer = location;
    countAsInput();
}

} // namespace wigglet::sim
