#pragma once

#include <QDBusConnection>
#include <functional>
#include <memory>
#include <vector>

class QSocketNotifier;
class QTimer;

namespace wigglet::desktop {

// The session bus as this program uses it: a bus that goes away and comes back at the same
// address is joined again, and whoever registered for it sets itself up anew there. Once the
// bus is lost, the folder of a socket path is watched for the socket's creation, so its
// return is seen without polling; any other address is tried again whenever rejoin() is
// called. Nothing is watched while the bus is there.
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
    void noticeLoss();
    void watchSocketFolder();
    void stopWatching();
    void readFolderEvents();
    void rejoinOnceListening(int attempts);

    QDBusConnection bus_;
    bool wasConnected_ = false;
    int rejoins_ = 0;
    std::vector<std::pair<int, Joined>> listeners_;
    int nextToken_ = 1;
    QString socketName_;
    int inotify_ = -1;
    std::unique_ptr<QSocketNotifier> watcher_;
    // Started by the connection's own Disconnected signal, which needs a slot to land in.
    std::unique_ptr<QTimer> lost_;
};

} // namespace wigglet::desktop
