#pragma once

namespace wigglet::desktop {

// The desktop's name for Wigglet: the autostart entry, the notification's desktop entry and
// the bundle identifier all use it.
inline constexpr const char* applicationId = "org.wigglet.Wigglet";
inline constexpr const char* applicationName = "Wigglet";

} // namespace wigglet::desktop
