#pragma once

#include "platform/EventSource.h"
#include "platform/linux/x11/OwnInputFilter.h"
#include "platform/linux/x11/XKeymap.h"

#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace wigglet::desktop {

class XConnection;
class LogindBacklight;

// Input at the X server: the user's idle time from the MIT-SCREEN-SAVER extension, and
// synthetic pointer, wheel and key events through XTEST, which the server treats as device
// input. Every event is waited for at once, so that the idle count can be read against it:
// this program's own input never counts as the user's, anyone else's XTest input does.
// Without a display it posts nothing and reports no idle time.
class XTestEventSource : public EventSource {
  public:
    static constexpr int defaultPixelsPerWheelClick = 15;

    // Brightness keys go to the backlight first when one is given.
    explicit XTestEventSource(XConnection* connection,
                              int pixelsPerWheelClick = defaultPixelsPerWheelClick,
                              LogindBacklight* backlight = nullptr);
    ~XTestEventSource() override;

    double secondsSinceLastInput() override;
    bool mayPostEvents() override { return hasXTest_; }
    // False when the server cannot tell the idle time; it then always reads as 0.
    bool measuresIdleTime() const { return hasIdleTime_; }

  protected:
    void doPost(const MouseEvent& event) override;
    void doPost(const ScrollEvent& event) override;
    void doPost(const KeyEvent& event) override;
    void doPost(const SystemDefinedEvent& event) override;
    void doWarp(Point location) override;
    void doNudge(Point location) override;

  private:
    // What one virtual key stroke presses on X: the key and the modifiers held around it.
    struct Stroke {
        std::uint32_t keysym = 0;
        std::vector<std::uint32_t> modifiers;
    };

    bool ready() const { return connection_ && hasXTest_; }
    void moveTo(Point global);
    void button(unsigned button, bool down);
    void key(std::uint32_t keysym, bool down);
    void press(const Stroke& stroke);
    void release(const Stroke& stroke);
    void flush();
    std::optional<std::int64_t> serverIdleMs();
    static std::optional<Stroke> strokeFor(const KeyEvent& event);

    XConnection* connection_;
    LogindBacklight* backlight_;
    std::unique_ptr<XKeymap> keymap_;
    int pixelsPerWheelClick_;
    bool hasXTest_ = false;
    bool hasIdleTime_ = false;

    int wheelRemainder_ = 0;
    std::map<std::uint16_t, Stroke> keysDown_;
    OwnInputFilter ownInput_;
};

} // namespace wigglet::desktop
