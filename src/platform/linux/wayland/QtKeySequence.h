#pragma once

#include <cstdint>
#include <optional>

namespace wigglet::desktop {

// A stored shortcut (virtual key code and Carbon modifiers) as the Qt key sequence int that
// KDE's global shortcuts take: Qt::ALT | Qt::META | Qt::Key_S for Alt+Super+S.
class QtKeySequence {
  public:
    // Absent for a key that has no Qt name.
    static std::optional<int> of(std::uint16_t keyCode, std::uint32_t carbonModifiers);
};

} // namespace wigglet::desktop
