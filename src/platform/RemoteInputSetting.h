#pragma once

#include <string_view>

namespace wigglet {

// The settings key that names how input reaches a compositor with no input protocol of its
// own (GNOME): "portal" (the desktop asks the user), "mutter" (GNOME's own interface, which
// asks nothing) or anything else for the one that asks least. Read at start.
inline constexpr std::string_view remoteInputRouteKey = "remoteInputRoute";

} // namespace wigglet
