#pragma once

#include <QMetaObject>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QSocketNotifier;
struct wl_display;
struct wl_registry;
struct wl_interface;

namespace wigglet::desktop {

// The one Wayland connection the backend's adapters share: the compositor's globals as it
// announced them, and the pump that dispatches its events from the Qt event loop without
// polling. Main thread only.
class WaylandConnection {
  public:
    struct Global {
        std::uint32_t name = 0;
        std::string interface;
        std::uint32_t version = 0;
    };

    // Absent when the compositor cannot be reached. An empty name means $WAYLAND_DISPLAY.
    static std::unique_ptr<WaylandConnection> open(const std::string& displayName = {});
    ~WaylandConnection();
    WaylandConnection(const WaylandConnection&) = delete;
    WaylandConnection& operator=(const WaylandConnection&) = delete;

    wl_display* display() const { return display_; }
    bool has(const std::string& interface) const;
    // Binds the first global of that interface at the highest version both sides know, or
    // returns null when the compositor has none.
    void* bind(const wl_interface& interface, std::uint32_t highestKnown) const;
    // Every global of that interface, each bound.
    std::vector<void*> bindAll(const wl_interface& interface, std::uint32_t highestKnown) const;

    // Sends what is queued and waits for the compositor to have handled it.
    void roundtrip();
    // Dispatches until done() holds or the time is up; says whether it held.
    bool dispatchUntil(const std::function<bool()>& done, int timeoutMs);
    // Dispatches whatever has arrived, without waiting. The Qt event loop does this by itself.
    void dispatchPending();
    void flush();
    bool broken() const;
    // Has the Qt event loop read and dispatch the connection, once the application exists;
    // a connection opened before it is not yet watched.
    void watchFromEventLoop();
    // Called once when the connection breaks.
    void onBroken(std::function<void()> callback) { onBroken_ = std::move(callback); }

    // Input that this program sends, noted once it is on its way, so that idle notifications
    // can be told from the user's own.
    void noteSyntheticInput();
    std::optional<double> lastSyntheticInput() const { return lastSyntheticInput_; }

    static double now();
    // Event time stamps the protocols carry, in milliseconds on the same clock.
    static std::uint32_t timestamp();

  private:
    explicit WaylandConnection(wl_display* display);
    void readAndDispatch();
    void checkBroken();
    static void onGlobal(void* data, wl_registry* registry, std::uint32_t name,
                         const char* interface, std::uint32_t version);
    static void onGlobalRemove(void* data, wl_registry* registry, std::uint32_t name);

    wl_display* display_;
    wl_registry* registry_ = nullptr;
    std::vector<Global> globals_;
    std::unique_ptr<QSocketNotifier> notifier_;
    QMetaObject::Connection aboutToBlock_;
    std::function<void()> onBroken_;
    bool reportedBroken_ = false;
    std::optional<double> lastSyntheticInput_;
};

} // namespace wigglet::desktop
