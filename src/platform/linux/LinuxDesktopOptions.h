#pragma once

#include "platform/linux/ApplicationId.h"
#include "platform/linux/RemoteInputRoute.h"

#include <filesystem>
#include <string>
#include <vector>

namespace wigglet::desktop {

class KeepAwakeMechanism;

struct LinuxDesktopOptions {
    // Empty: the session's own ($DISPLAY, $WAYLAND_DISPLAY).
    std::string displayName;
    // The program ends with one line when the display server goes away; tests keep going.
    bool exitWhenDisplayIsLost = false;
    // Opened by "check for updates": the software centre's page of the application.
    std::string releasesPage = std::string("appstream://") + applicationId;
    // What the autostart entry runs. Empty: $APPIMAGE when set, else this program's path.
    std::string executable;
    int pixelsPerWheelClick = 15;
    RemoteInputRoute remoteInput = RemoteInputRoute::automatic;
    std::filesystem::path powerSupplyRoot = "/sys/class/power_supply";
    std::filesystem::path backlightRoot = "/sys/class/backlight";
    // Another display server's mechanisms that the session also runs (XWayland's under a
    // Wayland backend), which must outlive the desktop.
    std::vector<KeepAwakeMechanism*> moreKeepAwake;
};

} // namespace wigglet::desktop
