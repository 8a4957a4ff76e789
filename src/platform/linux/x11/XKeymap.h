#pragma once

#include <cstdint>
#include <map>
#include <optional>

struct _XDisplay;

namespace wigglet::desktop {

// Finds the keycodes and modifier bits that produce keysyms on the running server. A keysym
// that no key produces (a headless server without brightness keys, say) can be placed on a
// spare keycode for as long as this object lives.
class XKeymap {
  public:
    enum class WhenMissing { Fail, BorrowSpareKeycode };

    explicit XKeymap(_XDisplay* display) : display_(display) {}
    ~XKeymap();
    XKeymap(const XKeymap&) = delete;
    XKeymap& operator=(const XKeymap&) = delete;

    std::optional<std::uint8_t> keycodeFor(std::uint32_t keysym, WhenMissing whenMissing);
    // The modifier mask (Mod1Mask, Mod4Mask, ...) that the key producing the keysym sets, or 0
    // when no modifier is bound to it.
    unsigned modifierMaskFor(std::uint32_t keysym) const;

  private:
    std::optional<std::uint8_t> borrowSpareKeycode(std::uint32_t keysym);

    _XDisplay* display_;
    std::map<std::uint32_t, std::uint8_t> borrowed_;
};

} // namespace wigglet::desktop
