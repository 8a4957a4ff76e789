#pragma once

#include <QDBusConnection>
#include <functional>
#include <memory>
#include <vector>

class QFileSystemWatcher;

namespace wigglet::desktop {

// The session bus as this program uses it: a bus that goes away and comes back at the same
// address is joined again, and whoever registered for it sets itself up anew there. A bus at
// a socket path is watched through its folder, so its return is seen without polling; any
// other is tried again whenever rejoin() is called.
class SessionBus {
  public:
    using Joined = std::function<void(QDBusConnection bus)>;

    // The bus may be unconnected; a process that never had one never looks for one.
    explicit SessionBus(QDBusConnection bus);
    ~SessionBus();
    SessionBus(const SessionBus&) = delete;
    SessionBus& operator=(const SessionBus&) = delete;

    QDBusConnection connection() const { return bus_; }
    bool isConnected() const { return bus_.isConnected(); }
    // Called with each new connection after the bus came back, until forgotten.
    int onRejoined(Joined joined);
    void forget(int token);
    // Joins again if the bus was lost and is back; does nothing while it is connected.
    void rejoin();

  private:
    void watchSocketFolder();

    QDBusConnection bus_;
    bool wasConnected_ = false;
    int rejoins_ = 0;
    std::vector<std::pair<int, Joined>> listeners_;
    int nextToken_ = 1;
    std::unique_ptr<QFileSystemWatcher> watcher_;
};

} // namespace wigglet::desktop
