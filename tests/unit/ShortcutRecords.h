#pragma once

#include "system/GlobalKeybindPreferences.h"

namespace wigglet::test {

// A shortcut other than the default, as the recorder would store it.
inline GlobalKeybindPreferences controlShiftK() {
    GlobalKeybindPreferences record;
    record.control = true;
    record.shift = true;
    record.command = false;
    record.option = false;
    record.carbonFlags = 0x1200;
    record.characters = "k";
    record.keyCode = 40;
    return record;
}

} // namespace wigglet::test
