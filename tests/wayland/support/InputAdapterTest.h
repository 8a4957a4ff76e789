#pragma once

#include "support/HeadlessCompositor.h"
#include "support/WaylandTest.h"
#include "support/WaylandTestWindow.h"

#include <memory>
#include <string>

namespace wigglet::desktop {
class WaylandConnection;
class WaylandSeat;
class LayerShellPointerProbe;
class WaylandScreens;
class WaylandEventSource;
} // namespace wigglet::desktop

namespace wigglet::testing {

// The backend's adapters as it builds them, on a connection of their own to the compositor
// that compositor() names, with a test window that writes down what reaches it.
class InputAdapterTest : public WaylandTest {
  protected:
    InputAdapterTest();
    ~InputAdapterTest() override;
    virtual HeadlessCompositor& compositor() = 0;
    void SetUp() override;

    // Everything sent so far has reached the compositor and the window.
    void settle();
    bool saw(const std::string& line) const;
    std::size_t indexOf(const std::string& line) const;
    std::string all() const;

    std::unique_ptr<WaylandTestWindow> window_;
    std::unique_ptr<desktop::WaylandConnection> connection_;
    std::unique_ptr<desktop::WaylandSeat> seat_;
    std::unique_ptr<desktop::LayerShellPointerProbe> probe_;
    std::unique_ptr<desktop::WaylandScreens> screens_;
    std::unique_ptr<desktop::WaylandEventSource> events_;
};

} // namespace wigglet::testing
