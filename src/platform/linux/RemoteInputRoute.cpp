#include "platform/linux/RemoteInputRoute.h"

namespace wigglet::desktop {

RemoteInputRoute remoteInputRouteNamed(std::string_view name) {
    if (name == "portal")
        return RemoteInputRoute::portal;
    if (name == "mutter")
        return RemoteInputRoute::mutter;
    return RemoteInputRoute::automatic;
}

const char* nameOf(RemoteInputRoute route) {
    switch (route) {
    case RemoteInputRoute::portal:
        return "portal";
    case RemoteInputRoute::mutter:
        return "mutter";
    case RemoteInputRoute::automatic:
        break;
    }
    return "automatic";
}

std::optional<RemoteInputRoute> resolveRemoteInputRoute(RemoteInputRoute wanted, bool sandboxed,
                                                        const std::function<bool()>& portalOffered,
                                                        bool mutterOffered) {
    // A sandbox hides GNOME's interface, or lets its calls fail.
    mutterOffered = mutterOffered && !sandboxed;
    if (wanted == RemoteInputRoute::portal && portalOffered())
        return RemoteInputRoute::portal;
    if (mutterOffered)
        return RemoteInputRoute::mutter;
    if (wanted != RemoteInputRoute::portal && portalOffered())
        return RemoteInputRoute::portal;
    return std::nullopt;
}

} // namespace wigglet::desktop
