#include "platform/linux/x11/XKeymap.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace wigglet::desktop {

XKeymap::~XKeymap() {
    for (const auto& [keysym, keycode] : borrowed_) {
        KeySym nothing = NoSymbol;
        XChangeKeyboardMapping(display_, keycode, 1, &nothing, 1);
    }
    if (!borrowed_.empty())
        XSync(display_, False);
}

std::optional<std::uint8_t> XKeymap::keycodeFor(std::uint32_t keysym, WhenMissing whenMissing) {
    if (const KeyCode keycode = XKeysymToKeycode(display_, keysym))
        return keycode;
    if (const auto it = borrowed_.find(keysym); it != borrowed_.end())
        return it->second;
    if (whenMissing == WhenMissing::Fail)
        return std::nullopt;
    return borrowSpareKeycode(keysym);
}

std::optional<std::uint8_t> XKeymap::borrowSpareKeycode(std::uint32_t keysym) {
    int first = 0;
    int last = 0;
    XDisplayKeycodes(display_, &first, &last);
    int perKeycode = 0;
    KeySym* map =
        XGetKeyboardMapping(display_, static_cast<KeyCode>(first), last - first + 1, &perKeycode);
    if (!map)
        return std::nullopt;
    std::optional<std::uint8_t> spare;
    // From the top, where servers leave keycodes unused.
    for (int keycode = last; keycode >= first && !spare; --keycode) {
        const KeySym* syms = map + (keycode - first) * perKeycode;
        bool empty = true;
        for (int i = 0; i < perKeycode; ++i)
            empty = empty && syms[i] == NoSymbol;
        if (empty)
            spare = static_cast<std::uint8_t>(keycode);
    }
    XFree(map);
    if (!spare)
        return std::nullopt;
    KeySym sym = keysym;
    XChangeKeyboardMapping(display_, *spare, 1, &sym, 1);
    XSync(display_, False);
    borrowed_[keysym] = *spare;
    return spare;
}

unsigned XKeymap::modifierMaskFor(std::uint32_t keysym) const {
    XModifierKeymap* modifiers = XGetModifierMapping(display_);
    if (!modifiers)
        return 0;
    unsigned mask = 0;
    for (int index = 0; index < 8 && !mask; ++index) {
        for (int slot = 0; slot < modifiers->max_keypermod; ++slot) {
            const KeyCode keycode = modifiers->modifiermap[index * modifiers->max_keypermod + slot];
            if (keycode && XkbKeycodeToKeysym(display_, keycode, 0, 0) == keysym) {
                mask = 1u << index;
                break;
            }
        }
    }
    XFreeModifiermap(modifiers);
    return mask;
}

} // namespace wigglet::desktop
