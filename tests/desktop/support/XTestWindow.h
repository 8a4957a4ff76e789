#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

struct _XDisplay;
union _XEvent;

namespace wigglet::testing {

// A second X client with one window that has the keyboard focus, standing in for the
// application that synthetic input is meant for. It reads its events itself.
class XTestWindow {
  public:
    // A mapped, focused window over the root rectangle; absent when the display cannot be
    // opened.
    static std::unique_ptr<XTestWindow> open(const std::string& displayName, int x, int y,
                                             int width, int height);
    ~XTestWindow();
    XTestWindow(const XTestWindow&) = delete;
    XTestWindow& operator=(const XTestWindow&) = delete;

    _XDisplay* display() const { return display_; }

    // The next event of that type within the timeout; events of other types are dropped.
    std::optional<_XEvent> next(int type, int timeoutMs = 3000);
    // Every event that the server has sent so far, after a round trip.
    std::vector<_XEvent> received();
    // Drops every event that has arrived so far.
    void drain() { received(); }

  private:
    XTestWindow(_XDisplay* display, unsigned long window) : display_(display), window_(window) {}
    // The next pending event, with the keyboard mapping kept up to date.
    _XEvent read();

    _XDisplay* display_;
    unsigned long window_;
};

// Key events as "+name" for a press and "-name" for a release, named by their keysym, with a
// space between.
std::string keyStrokes(const std::vector<_XEvent>& events);

} // namespace wigglet::testing
