#include "platform/linux/dbus/SessionBus.h"

#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QProcessEnvironment>

namespace wigglet::desktop {

namespace {

// The socket's path when the session's address names one.
QString socketPath() {
    const QString address =
        QProcessEnvironment::systemEnvironment().value(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    for (const QString& part : address.split(QLatin1Char(';')).value(0).split(QLatin1Char(','))) {
        const QString key = QStringLiteral("unix:path=");
        if (part.startsWith(key))
            return part.mid(key.size());
    }
    return {};
}

} // namespace

SessionBus::SessionBus(QDBusConnection bus)
    : bus_(std::move(bus)), wasConnected_(bus_.isConnected()) {
    if (wasConnected_)
        watchSocketFolder();
}

SessionBus::~SessionBus() = default;

int SessionBus::onRejoined(Joined joined) {
    listeners_.emplace_back(nextToken_, std::move(joined));
    return nextToken_++;
}

void SessionBus::forget(int token) {
    std::erase_if(listeners_, [token](const auto& entry) { return entry.first == token; });
}

void SessionBus::watchSocketFolder() {
    const QString path = socketPath();
    if (path.isEmpty())
        return;
    watcher_ = std::make_unique<QFileSystemWatcher>();
    watcher_->addPath(QFileInfo(path).absolutePath());
    QObject::connect(watcher_.get(), &QFileSystemWatcher::directoryChanged,
                     [this](const QString&) { rejoin(); });
}

void SessionBus::rejoin() {
    if (bus_.isConnected() || !wasConnected_)
        return;
    // Qt keeps a dead connection under its name; each attempt needs a name of its own.
    const QString name = QStringLiteral("wigglet-session-%1").arg(++rejoins_);
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
    if (!bus.isConnected()) {
        QDBusConnection::disconnectFromBus(name);
        return;
    }
    bus_ = bus;
    // A listener may register another.
    const auto listeners = listeners_;
    for (const auto& [token, joined] : listeners)
        joined(bus_);
}

} // namespace wigglet::desktop
