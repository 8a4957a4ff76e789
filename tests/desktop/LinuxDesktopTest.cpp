#include "platform/linux/LinuxDesktop.h"

#include "platform/EventSource.h"
#include "platform/Screens.h"
#include "platform/linux/x11/X11Backend.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace wigglet;
using namespace wigglet::desktop;

TEST(LinuxDesktopWithoutDisplay, SaysSoOnceAndEveryServiceStillAnswers) {
    LinuxDesktopOptions options;
    options.displayName = "/nonexistent/display:0";
    X11Backend backend;
    LinuxDesktop desktop(options, backend);
    const auto lines = desktop.shortcomings();
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& line) {
                                return line.find("No X11 display") != std::string::npos;
                            }),
              1);
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
