#pragma once

namespace wigglet {

// Seconds since the last input event of any kind at the HID level, as the tick reads it.
double secondsSinceLastInput();

} // namespace wigglet
