#pragma once

#include "platform/RemoteInputSetting.h"

#include <functional>
#include <optional>
#include <string_view>

namespace wigglet::desktop {

// Which remote-desktop service sends input where the compositor has no input protocol of its
// own (GNOME): the desktop's portal, which asks the user, or GNOME's own interface, which
// asks nothing but serves only programs outside a sandbox.
enum class RemoteInputRoute { automatic, portal, mutter };

RemoteInputRoute remoteInputRouteNamed(std::string_view name);
const char* nameOf(RemoteInputRoute route);

// The route to take: the one asked for when it is there, else the one that asks the user
// least (GNOME's own outside a sandbox). Nothing when neither is there. The portal is asked
// about only when it may be taken, since asking may start it.
std::optional<RemoteInputRoute> resolveRemoteInputRoute(RemoteInputRoute wanted, bool sandboxed,
                                                        const std::function<bool()>& portalOffered,
                                                        bool mutterOffered);

} // namespace wigglet::desktop
