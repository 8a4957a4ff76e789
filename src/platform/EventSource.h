#pragma once

#include "platform/Geometry.h"

#include <cstdint>
#include <optional>

namespace wigglet {

enum class MouseEventType { LeftDown = 1, LeftUp = 2, RightDown = 3, RightUp = 4 };

struct MouseEvent {
    MouseEventType type;
    Point location; // global display coordinates
    int button;     // 0 left, 1 right
};

struct ScrollEvent {
    std::int32_t value; // pixels, positive scrolls up
    Point location;     // global display coordinates
};

struct KeyEvent {
    std::uint16_t keyCode; // US-ANSI virtual key code (VirtualKeys.h)
    bool down;
    std::uint64_t flags; // modifier flags (ModifierFlags.h)
};

// A system-defined event (media and brightness keys).
struct SystemDefinedEvent {
    int type = 14;
    Point location;
    std::uint64_t modifierFlags = 0;
    double timestamp = 0;
    int windowNumber = 0;
    int subtype = 8;
    std::int64_t data1 = 0;
    std::int64_t data2 = -1;
};

// Input at the HID level: the idle time, and synthetic events posted as if they came from a
// device. Event creation can fail; callers skip an event they could not create. Posting is
// traced here so that every platform writes the same trace lines.
class EventSource {
  public:
    virtual ~EventSource() = default;

    // Seconds since the last input event of any kind at the HID level.
    virtual double secondsSinceLastInput() = 0;
    // Whether this process may synthesise input (the accessibility permission).
    virtual bool mayPostEvents() = 0;

    std::optional<MouseEvent> createMouseEvent(MouseEventType type, Point location, int button);
    std::optional<ScrollEvent> createScrollEvent(std::int32_t value, Point location);
    std::optional<KeyEvent> createKeyEvent(std::uint16_t keyCode, bool down);
    std::optional<SystemDefinedEvent> createSystemDefinedEvent(const SystemDefinedEvent& fields);

    void post(const MouseEvent& event);
    void post(const ScrollEvent& event);
    void post(const KeyEvent& event);
    void post(const SystemDefinedEvent& event);
    // Places the pointer at once (global display coordinates). Not an input event.
    void warpCursor(Point location);
    // The low-level mouse-moved event at the given point (global display coordinates).
    void postMouseMovedNudge(Point location);

  protected:
    // False when the platform cannot create an event right now.
    virtual bool allocateEvent() { return true; }
    virtual void doPost(const MouseEvent& event) = 0;
    virtual void doPost(const ScrollEvent& event) = 0;
    virtual void doPost(const KeyEvent& event) = 0;
    virtual void doPost(const SystemDefinedEvent& event) = 0;
    virtual void doWarp(Point location) = 0;
    virtual void doNudge(Point location) = 0;
};

} // namespace wigglet
