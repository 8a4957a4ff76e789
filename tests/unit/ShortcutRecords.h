#pragma once

#include "system/GlobalKeybindPreferences.h"

namespace wigglet::test {

// A shortcut other than the default, as the recorder would store it.
inline GlobalKeybindPreferences controlShiftK() {
    return {.control = true,
            .command = false,
            .shift = true,
            .option = false,
            .carbonFlags = 0x1200,
            .characters = "k",
            .keyCode = 40};
}

} // namespace wigglet::test
