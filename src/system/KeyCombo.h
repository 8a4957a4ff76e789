#pragma once

#include <cstdint>

namespace wigglet {

struct KeyCombo {
    std::uint32_t carbonKeyCode = 0;
    std::uint32_t carbonModifiers = 0;
};

} // namespace wigglet
