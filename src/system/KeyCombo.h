#pragma once

#include <cstdint>

namespace wigglet {

// A key and the Carbon modifier mask it is registered with.
struct KeyCombo {
    std::uint32_t carbonKeyCode = 0;
    std::uint32_t carbonModifiers = 0;

    bool operator==(const KeyCombo&) const = default;
};

} // namespace wigglet
