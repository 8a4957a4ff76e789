#pragma once

#include "platform/KeyDown.h"

#include <memory>
#include <optional>

class QKeyEvent;

namespace wigglet {

// Translates between Qt's key events and the key-down events the program reasons about:
// Qt keys to US-ANSI virtual key codes, Qt modifiers to modifier flags (Meta, the Super key,
// is Command; Alt is Option). X11 reports caps lock only in the native modifier state, as its
// lock bit; the fn key never reaches applications there.
class KeyEventTranslator {
  public:
    // None for keys without a virtual key code (a modifier key on its own, media keys).
    static std::optional<KeyDown> toKeyDown(const QKeyEvent& event);
    // The Qt key-press event that stands for a key-down event, as the desktop would deliver it.
    static std::unique_ptr<QKeyEvent> toQKeyEvent(const KeyDown& keyDown);

    // The X11 lock bit in the native modifier state.
    static constexpr unsigned nativeLockMask = 0x2;
};

} // namespace wigglet
