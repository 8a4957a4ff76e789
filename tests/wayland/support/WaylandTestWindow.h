#pragma once

#include <memory>
#include <string>
#include <vector>

struct wl_display;

namespace wigglet::testing {

// A fullscreen window of another client on the compositor, which writes down what reaches it
// with the exact values: "enter 960,540", "motion 10,20", "button 272 pressed",
// "axis 0 -15 discrete -1", "key 109 pressed", "modifiers 4". It also has a virtual pointer
// of its own, which stands for the user's hand.
class WaylandTestWindow {
  public:
    // Absent when the compositor cannot be reached or maps no window.
    static std::unique_ptr<WaylandTestWindow> open(const std::string& socket);
    ~WaylandTestWindow();
    WaylandTestWindow(const WaylandTestWindow&) = delete;
    WaylandTestWindow& operator=(const WaylandTestWindow&) = delete;

    // Waits for the compositor to have handled everything sent so far, on every connection.
    void sync();
    const std::vector<std::string>& events() const;
    void clear();
    // Moves the user's own pointer, as a device would.
    void moveUserPointer();

    struct State;

  private:
    explicit WaylandTestWindow(std::unique_ptr<State> state);
    std::unique_ptr<State> state_;
};

} // namespace wigglet::testing
