#pragma once

#include "platform/linux/wayland/WaylandInputDevice.h"

#include <memory>

struct org_kde_kwin_fake_input;

namespace wigglet::desktop {

class WaylandConnection;

// KWin's fake input. KWin offers it only to a program whose installed desktop entry names the
// program by absolute path and lists org_kde_kwin_fake_input in X-KDE-Wayland-Interfaces.
// Motion is absolute in global logical pixels, and KWin tracks the modifiers from the keys.
class KdeFakeInput : public WaylandInputDevice {
  public:
    // Absent when the compositor does not offer fake input to this program.
    static std::unique_ptr<KdeFakeInput> create(WaylandConnection& connection);
    ~KdeFakeInput() override;
    KdeFakeInput(const KdeFakeInput&) = delete;
    KdeFakeInput& operator=(const KdeFakeInput&) = delete;

    bool hasKeyboard() const override;
    void moveTo(Point compositor, const Rect& layout) override;
    void button(std::uint32_t evdev, bool down) override;
    void wheel(int clicks, int pixelsPerClick) override;
    void key(std::uint32_t evdev, bool down) override;
    void holdModifiers(std::uint32_t) override {}
    void frame() override {}

  private:
    explicit KdeFakeInput(org_kde_kwin_fake_input* input) : input_(input) {}

    org_kde_kwin_fake_input* input_;
};

} // namespace wigglet::desktop
