#pragma once

#include "platform/linux/wayland/LayerShellPointerProbe.h"
#include "platform/linux/wayland/WaylandConnection.h"
#include "platform/linux/wayland/WaylandEventSource.h"
#include "platform/linux/wayland/WaylandScreens.h"
#include "platform/linux/wayland/WaylandSeat.h"
#include "support/HeadlessCompositor.h"
#include "support/WaylandTest.h"
#include "support/WaylandTestWindow.h"

#include <algorithm>
#include <memory>
#include <string>

namespace wigglet::testing {

// The backend's adapters as it builds them, on a connection of their own to the compositor
// that compositor() names, with a test window that writes down what reaches it.
class InputAdapterTest : public WaylandTest {
  protected:
    virtual HeadlessCompositor& compositor() = 0;
    void SetUp() override {
        window_ = WaylandTestWindow::open(compositor().socket());
        ASSERT_TRUE(window_) << "no test window on the compositor";
        connection_ = desktop::WaylandConnection::open(compositor().socket());
        ASSERT_TRUE(connection_);
        seat_ = std::make_unique<desktop::WaylandSeat>(*connection_);
        probe_ = std::make_unique<desktop::LayerShellPointerProbe>(*connection_, *seat_);
        screens_ = std::make_unique<desktop::WaylandScreens>(probe_.get());
        events_ = std::make_unique<desktop::WaylandEventSource>(connection_.get(), seat_.get(),
                                                                *screens_);
        settle();
        window_->clear();
    }

    // Everything sent so far has reached the compositor and the window.
    void settle() {
        connection_->roundtrip();
        window_->sync();
    }
    bool saw(const std::string& line) const { return indexOf(line) < window_->events().size(); }
    std::size_t indexOf(const std::string& line) const {
        const auto& events = window_->events();
        return std::find(events.begin(), events.end(), line) - events.begin();
    }
    std::string all() const {
        std::string text;
        for (const std::string& line : window_->events())
            text += line + "; ";
        return text;
    }

    std::unique_ptr<WaylandTestWindow> window_;
    std::unique_ptr<desktop::WaylandConnection> connection_;
    std::unique_ptr<desktop::WaylandSeat> seat_;
    std::unique_ptr<desktop::LayerShellPointerProbe> probe_;
    std::unique_ptr<desktop::WaylandScreens> screens_;
    std::unique_ptr<desktop::WaylandEventSource> events_;
};

} // namespace wigglet::testing
