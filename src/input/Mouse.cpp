#include "input/Mouse.h"

namespace wigglet {

Mouse::Mouse() = default;

void Mouse::shakeClick() {}

void Mouse::shakeMove() {}

ScrollDirection Mouse::nextScrollDirection() {
    return ScrollDirection::DOWN;
}

void Mouse::shakeScroll(ScrollDirection) {}

} // namespace wigglet
