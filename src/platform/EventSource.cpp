#include "platform/EventSource.h"

#include "platform/Platform.h"

namespace wigglet {

namespace {

const char* typeName(MouseEventType type) {
    switch (type) {
    case MouseEventType::LeftDown:
        return "leftDown";
    case MouseEventType::LeftUp:
        return "leftUp";
    case MouseEventType::RightDown:
        return "rightDown";
    case MouseEventType::RightUp:
        return "rightUp";
    }
    return "unknown";
}

} // namespace

std::optional<MouseEvent> EventSource::createMouseEvent(MouseEventType type, Point location,
                                                        int button) {
    if (!allocateEvent())
        return std::nullopt;
    return MouseEvent{type, location, button};
}

std::optional<ScrollEvent> EventSource::createScrollEvent(std::int32_t value, Point location) {
    if (!allocateEvent())
        return std::nullopt;
    return ScrollEvent{value, location};
}

std::optional<KeyEvent> EventSource::createKeyEvent(std::uint16_t keyCode, bool down) {
    if (!allocateEvent())
        return std::nullopt;
    return KeyEvent{keyCode, down, 0};
}

std::optional<SystemDefinedEvent>
EventSource::createSystemDefinedEvent(const SystemDefinedEvent& fields) {
    if (!allocateEvent())
        return std::nullopt;
    return fields;
}

void EventSource::post(const MouseEvent& event) {
    recordTrace("mouse", {{"type", typeName(event.type)},
                          {"x", event.location.x},
                          {"y", event.location.y},
                          {"button", event.button}});
    doPost(event);
}

void EventSource::post(const ScrollEvent& event) {
    recordTrace("scroll",
                {{"value", event.value}, {"x", event.location.x}, {"y", event.location.y}});
    doPost(event);
}

void EventSource::post(const KeyEvent& event) {
    recordTrace("key", {{"code", event.keyCode}, {"down", event.down}, {"flags", event.flags}});
    doPost(event);
}

void EventSource::post(const SystemDefinedEvent& event) {
    // The key-down look carries 0xA00 in its flags, the key-up look 0xB00.
    const bool down = (event.data1 & 0xFF00) == 0x0A00;
    recordTrace("system-key", {{"data1", event.data1}, {"down", down}});
    doPost(event);
}

void EventSource::warpCursor(Point location) {
    recordTrace("warp", {{"x", location.x}, {"y", location.y}});
    doWarp(location);
}

void EventSource::postMouseMovedNudge(Point location) {
    recordTrace("nudge", {{"x", location.x}, {"y", location.y}});
    doNudge(location);
}

} // namespace wigglet
