#include "support/InputAdapterTest.h"

#include "platform/linux/wayland/LayerShellPointerProbe.h"
#include "platform/linux/wayland/WaylandConnection.h"
#include "platform/linux/wayland/WaylandEventSource.h"
#include "platform/linux/wayland/WaylandScreens.h"
#include "platform/linux/wayland/WaylandSeat.h"

#include <algorithm>

namespace wigglet::testing {

using namespace wigglet::desktop;

InputAdapterTest::InputAdapterTest() = default;
InputAdapterTest::~InputAdapterTest() = default;

void InputAdapterTest::SetUp() {
    window_ = WaylandTestWindow::open(compositor().socket());
    ASSERT_TRUE(window_) << "no test window on the compositor";
    connection_ = WaylandConnection::open(compositor().socket());
    ASSERT_TRUE(connection_);
    seat_ = std::make_unique<WaylandSeat>(*connection_);
    probe_ = std::make_unique<LayerShellPointerProbe>(*connection_, *seat_);
    screens_ = std::make_unique<WaylandScreens>(probe_.get());
    events_ = std::make_unique<WaylandEventSource>(connection_.get(), seat_.get(), *screens_);
    settle();
    window_->clear();
}

void InputAdapterTest::settle() {
    connection_->roundtrip();
    window_->sync();
}

bool InputAdapterTest::saw(const std::string& line) const {
    const auto& events = window_->events();
    return std::find(events.begin(), events.end(), line) != events.end();
}

std::size_t InputAdapterTest::indexOf(const std::string& line) const {
    const auto& events = window_->events();
    return std::find(events.begin(), events.end(), line) - events.begin();
}

std::string InputAdapterTest::all() const {
    std::string text;
    for (const std::string& line : window_->events())
        text += line + "; ";
    return text;
}

} // namespace wigglet::testing
