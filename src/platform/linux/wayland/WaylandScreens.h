#pragma once

#include "platform/Screens.h"

#include <memory>
#include <optional>

namespace wigglet::desktop {

class LayerShellPointerProbe;

// Screens as Qt sees them (logical pixels), and the pointer as a layer-shell probe finds it.
// Where no probe can answer, the pointer is where this program last put it.
class WaylandScreens : public Screens {
  public:
    explicit WaylandScreens(LayerShellPointerProbe* probe);

    std::optional<Rect> primaryFrame() override;
    Point pointerLocation() override;

    // In the compositor's coordinates (origin top-left, y down).
    std::optional<Rect> primaryBox() const;
    std::optional<Rect> layoutBox() const;
    // pointerLocation() in the compositor's coordinates.
    std::optional<Point> compositorPointer();
    // Where the pointer was put, in global display coordinates.
    void noteWarp(Point global) { lastWarp_ = global; }

  private:
    LayerShellPointerProbe* probe_;
    std::optional<Point> lastWarp_;
};

} // namespace wigglet::desktop
