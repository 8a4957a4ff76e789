#pragma once

#include <optional>

struct _XDisplay;

namespace wigglet::desktop {

// The primary display's rectangle in root-window coordinates (origin top-left of the whole
// X screen, y down).
struct RootRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Finds the primary display: the XRandR primary output, else the output at the root's origin,
// else the whole root window. Asked afresh on every call, since outputs come and go.
class XPrimaryOutput {
  public:
    static std::optional<RootRect> geometry(_XDisplay* display);

  private:
    static std::optional<RootRect> fromRandr(_XDisplay* display);
    static std::optional<RootRect> rootWindow(_XDisplay* display);
};

} // namespace wigglet::desktop
