#pragma once

#include "platform/EventSource.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace wigglet::desktop {

class IdleClock;
class WaylandConnection;
class LogindBacklight;
class WaylandSeat;
class WaylandIdleWatch;
class WaylandInputDevice;
class WaylandScreens;

// Input through the best device the compositor offers (wlroots' virtual pointer and keyboard,
// else KWin's fake input, else the fallback device, e.g. the desktop's Remote Desktop portal),
// and the idle time from the compositor's idle notifications, else from the fallback clock
// (GNOME's idle monitor). Without any device it posts nothing; without either idle source it
// reports no idle time.
class WaylandEventSource : public EventSource {
  public:
    static constexpr int defaultPixelsPerWheelClick = 15;
    // Made only when the compositor offers no device of its own.
    using FallbackDevice = std::function<std::unique_ptr<WaylandInputDevice>()>;
    // Made only when the compositor offers no idle protocol.
    using FallbackIdle = std::function<std::unique_ptr<IdleClock>()>;

    // Brightness keys go to the backlight first when one is given.
    WaylandEventSource(WaylandConnection* connection, WaylandSeat* seat, WaylandScreens& screens,
                       int pixelsPerWheelClick = defaultPixelsPerWheelClick,
                       LogindBacklight* backlight = nullptr, FallbackDevice fallback = {},
                       FallbackIdle fallbackIdle = {});
    ~WaylandEventSource() override;

    double secondsSinceLastInput() override;
    bool mayPostEvents() override { return device_ != nullptr; }
    bool measuresIdleTime() const;
    bool hasKeyboard() const;
    bool usesFallbackDevice() const { return usesFallback_; }
    bool usesFallbackIdle() const { return fallbackIdle_ != nullptr; }

  protected:
    void doPost(const MouseEvent& event) override;
    void doPost(const ScrollEvent& event) override;
    void doPost(const KeyEvent& event) override;
    void doPost(const SystemDefinedEvent& event) override;
    void doWarp(Point location) override;
    void doNudge(Point location) override;

  private:
    // What one virtual key stroke presses: the key and the modifiers held around it.
    struct Stroke {
        std::uint32_t evdev = 0;
        std::vector<std::uint32_t> modifierKeys;
        std::uint32_t modifiers = 0;
    };

    void moveTo(Point global);
    void press(const Stroke& stroke);
    void release(const Stroke& stroke);
    void frame();
    static std::optional<Stroke> strokeFor(const KeyEvent& event);

    WaylandConnection* connection_;
    WaylandScreens& screens_;
    LogindBacklight* backlight_;
    std::unique_ptr<WaylandInputDevice> device_;
    bool usesFallback_ = false;
    std::unique_ptr<WaylandIdleWatch> idle_;
    std::unique_ptr<IdleClock> fallbackIdle_;
    int pixelsPerWheelClick_;
    int wheelRemainder_ = 0;
    std::map<std::uint16_t, Stroke> keysDown_;
};

} // namespace wigglet::desktop
