#include "platform/linux/wayland/QtKeySequence.h"

#include "platform/ModifierFlags.h"
#include "qtkeys/QtVirtualKeys.h"

#include <Qt>

namespace wigglet::desktop {

std::optional<int> QtKeySequence::of(std::uint16_t keyCode, std::uint32_t carbonModifiers) {
    using namespace carbonModifier;
    int sequence = qtKeyFor(keyCode);
    if (sequence == Qt::Key_unknown)
        return std::nullopt;
    if (carbonModifiers & (shiftKey | rightShiftKey))
        sequence |= Qt::SHIFT;
    if (carbonModifiers & (controlKey | rightControlKey))
        sequence |= Qt::CTRL;
    if (carbonModifiers & (optionKey | rightOptionKey))
        sequence |= Qt::ALT;
    // The command key is Super on Linux desktops.
    if (carbonModifiers & cmdKey)
        sequence |= Qt::META;
    return sequence;
}

} // namespace wigglet::desktop
