#include "platform/linux/LinuxDesktop.h"

#include "platform/EventSource.h"
#include "platform/Screens.h"
#include "platform/linux/x11/X11Backend.h"

#include <gtest/gtest.h>

using namespace wigglet;
using namespace wigglet::desktop;

namespace {

bool mentions(const std::vector<std::string>& lines, const std::string& word) {
    for (const auto& line : lines)
        if (line.find(word) != std::string::npos)
            return true;
    return false;
}

} // namespace

TEST(LinuxDesktopWithoutDisplay, SaysSoOnceAndEveryServiceStillAnswers) {
    LinuxDesktopOptions options;
    options.displayName = "/nonexistent/display:0";
    X11Backend backend;
    LinuxDesktop desktop(options, backend);
    EXPECT_TRUE(mentions(desktop.shortcomings(), "No X11 display"));
    const PlatformServices services = desktop.services();
    const void* each[] = {services.runLoop,      services.sleeper,       services.power,
                          services.powerSources, services.brightness,    services.hotKeys,
                          services.loginItems,   services.notifications, services.workspace,
                          services.system};
    for (const void* service : each)
        EXPECT_NE(service, nullptr);
    EXPECT_FALSE(services.events->mayPostEvents());
    EXPECT_EQ(services.events->secondsSinceLastInput(), 0);
    services.events->warpCursor({10, 10});
    services.events->post(KeyEvent{0, true, 0});
    EXPECT_FALSE(services.screens->primaryFrame());
    EXPECT_EQ(services.screens->pointerLocation(), (Point{0, 0}));
}
