#include "platform/linux/dbus/SessionBus.h"

#include <QFileInfo>
#include <QProcessEnvironment>
#include <QSocketNotifier>
#include <QTimer>
#include <array>
#include <sys/inotify.h>
#include <unistd.h>

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
    : bus_(std::move(bus)), wasConnected_(bus_.isConnected()), lost_(std::make_unique<QTimer>()) {
    lost_->setSingleShot(true);
    QObject::connect(lost_.get(), &QTimer::timeout, [this] { watchSocketFolder(); });
    noticeLoss();
}

void SessionBus::noticeLoss() {
    // libdbus tells each connection of its own end with this local signal.
    bus_.connect(QString(), QStringLiteral("/org/freedesktop/DBus/Local"),
                 QStringLiteral("org.freedesktop.DBus.Local"), QStringLiteral("Disconnected"),
                 lost_.get(), SLOT(start()));
}

SessionBus::~SessionBus() {
    stopWatching();
}

void SessionBus::stopWatching() {
    // Its own signal may be running.
    if (watcher_) {
        watcher_->setEnabled(false);
        watcher_.release()->deleteLater();
    }
    if (inotify_ >= 0)
        ::close(inotify_);
    inotify_ = -1;
}

int SessionBus::onRejoined(Joined joined) {
    listeners_.emplace_back(nextToken_, std::move(joined));
    return nextToken_++;
}

void SessionBus::forget(int token) {
    std::erase_if(listeners_, [token](const auto& entry) { return entry.first == token; });
}

void SessionBus::watchSocketFolder() {
    const QString path = socketPath();
    if (path.isEmpty() || watcher_)
        return;
    inotify_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (inotify_ < 0)
        return;
    const QFileInfo socket(path);
    socketName_ = socket.fileName();
    if (::inotify_add_watch(inotify_, QFile::encodeName(socket.absolutePath()).constData(),
                            IN_CREATE | IN_MOVED_TO) < 0)
        return;
    watcher_ = std::make_unique<QSocketNotifier>(inotify_, QSocketNotifier::Read);
    QObject::connect(watcher_.get(), &QSocketNotifier::activated, [this] { readFolderEvents(); });
}

void SessionBus::readFolderEvents() {
    alignas(inotify_event) std::array<char, 4096> buffer;
    bool created = false;
    ssize_t length = 0;
    while ((length = ::read(inotify_, buffer.data(), buffer.size())) > 0) {
        for (ssize_t at = 0; at < length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer.data() + at);
            if (event->len && QFile::decodeName(event->name) == socketName_)
                created = true;
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    if (created)
        rejoinOnceListening(20);
    if (bus_.isConnected())
        stopWatching();
}

void SessionBus::rejoinOnceListening(int attempts) {
    // The socket appears at bind(); the daemon listens a moment later.
    rejoin();
    if (bus_.isConnected())
        stopWatching();
    if (bus_.isConnected() || attempts <= 1)
        return;
    QTimer::singleShot(100, lost_.get(), [this, attempts] { rejoinOnceListening(attempts - 1); });
}

void SessionBus::rejoin() {
    if (bus_.isConnected() || !wasConnected_)
        return;
    watchSocketFolder();
    // Qt keeps a dead connection under its name; each attempt needs a name of its own.
    const QString name = QStringLiteral("wigglet-session-%1").arg(++rejoins_);
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
    if (!bus.isConnected()) {
        QDBusConnection::disconnectFromBus(name);
        return;
    }
    bus_ = bus;
    noticeLoss();
    // A listener may register another.
    const auto listeners = listeners_;
    for (const auto& [token, joined] : listeners)
        joined(bus_);
}

} // namespace wigglet::desktop
