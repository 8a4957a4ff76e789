#pragma once

#include <QMetaObject>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QSocketNotifier;
struct _XDisplay;
union _XEvent;

namespace wigglet::desktop {

// The one Xlib connection that the X11 adapters share, and the pump that hands its events to
// them from the Qt event loop without polling. What an event means is left to the listeners.
// Main thread only: Xlib is used without its thread locks.
class XConnection {
  public:
    using Listener = std::function<void(const _XEvent&)>;

    // Absent when the display cannot be opened. An empty name means $DISPLAY.
    static std::unique_ptr<XConnection> open(const std::string& displayName = {});
    ~XConnection();
    XConnection(const XConnection&) = delete;
    XConnection& operator=(const XConnection&) = delete;

    _XDisplay* display() const { return display_; }
    unsigned long rootWindow() const;

    int addListener(Listener listener);
    void removeListener(int token);

    // Hands every event that has arrived so far to the listeners. The Qt event loop does this
    // by itself once an application object exists; tests may call it directly.
    void dispatchPending();

  private:
    explicit XConnection(_XDisplay* display);
    void watchFromEventLoop();
    void dispatch(_XEvent& event);

    _XDisplay* display_;
    std::unique_ptr<QSocketNotifier> notifier_;
    QMetaObject::Connection aboutToBlock_;
    std::vector<std::pair<int, Listener>> listeners_;
    int nextToken_ = 1;
};

} // namespace wigglet::desktop
