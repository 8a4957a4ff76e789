#include "platform/linux/dbus/DesktopSessionLock.h"

#include "platform/linux/dbus/BusSignalListener.h"
#include "platform/linux/dbus/SessionBus.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <unistd.h>

namespace wigglet::desktop {

namespace {

const QString logindService = QStringLiteral("org.freedesktop.login1");
const QString logindManager = QStringLiteral("org.freedesktop.login1.Manager");
const QString logindSession = QStringLiteral("org.freedesktop.login1.Session");
const QString propertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");
const QString screenSaverInterface = QStringLiteral("org.freedesktop.ScreenSaver");
const char* const listenerSlot = SLOT(receive(QDBusMessage));
// A lookup on a logind that does not answer must not hold up the start for long.
constexpr int lookupTimeoutMs = 1000;

QDBusMessage managerCall(const QString& method) {
    return QDBusMessage::createMethodCall(logindService, QStringLiteral("/org/freedesktop/login1"),
                                          logindManager, method);
}

} // namespace

DesktopSessionLock::DesktopSessionLock(QDBusConnection systemBus, SessionBus& sessionBus)
    : system_(std::move(systemBus)), sessionBus_(sessionBus) {
    sessionListener_ = std::make_unique<BusSignalListener>(
        [this](const QDBusMessage& signal) { onSessionProperties(signal); });
    screenSaverListener_ = std::make_unique<BusSignalListener>([this](const QDBusMessage& signal) {
        screenSaverActive_ = signal.arguments().value(0).toBool();
    });
    activeReply_ = std::make_unique<BusSignalListener>([this](const QDBusMessage& reply) {
        if (reply.type() == QDBusMessage::ReplyMessage)
            screenSaverActive_ = reply.arguments().value(0).toBool();
    });
    if (system_.isConnected()) {
        logindWatcher_ = std::make_unique<QDBusServiceWatcher>(
            logindService, system_, QDBusServiceWatcher::WatchForRegistration);
        QObject::connect(logindWatcher_.get(), &QDBusServiceWatcher::serviceRegistered,
                         [this](const QString&) { followLogind(); });
        followLogind();
    }
    if (sessionBus_.isConnected())
        followScreenSaver(sessionBus_.connection());
    rejoined_ = sessionBus_.onRejoined([this](QDBusConnection bus) {
        screenSaverActive_ = false;
        followScreenSaver(bus);
    });
}

DesktopSessionLock::~DesktopSessionLock() {
    sessionBus_.forget(rejoined_);
}

void DesktopSessionLock::followLogind() {
    QDBusMessage byProcess = managerCall(QStringLiteral("GetSessionByPID"));
    byProcess << static_cast<uint>(::getpid());
    QDBusReply<QDBusObjectPath> session = system_.call(byProcess, QDBus::Block, lookupTimeoutMs);
    if (!session.isValid()) {
        // Not started inside a session (a terminal of another login, a service).
        QDBusMessage automatic = managerCall(QStringLiteral("GetSession"));
        automatic << QStringLiteral("auto");
        session = system_.call(automatic, QDBus::Block, lookupTimeoutMs);
    }
    if (!session.isValid())
        return;
    if (!sessionPath_.isEmpty())
        system_.disconnect(logindService, sessionPath_, propertiesInterface,
                           QStringLiteral("PropertiesChanged"), sessionListener_.get(),
                           listenerSlot);
    sessionPath_ = session.value().path();
    system_.connect(logindService, sessionPath_, propertiesInterface,
                    QStringLiteral("PropertiesChanged"), sessionListener_.get(), listenerSlot);
    readLockedHint();
}

void DesktopSessionLock::readLockedHint() {
    QDBusMessage get = QDBusMessage::createMethodCall(logindService, sessionPath_,
                                                      propertiesInterface, QStringLiteral("Get"));
    get << logindSession << QStringLiteral("LockedHint");
    const QDBusReply<QDBusVariant> value = system_.call(get, QDBus::Block, lookupTimeoutMs);
    lockedHint_ = value.isValid() && value.value().variant().toBool();
}

void DesktopSessionLock::onSessionProperties(const QDBusMessage& signal) {
    const QVariantList arguments = signal.arguments();
    if (arguments.value(0).toString() != logindSession)
        return;
    const QVariantMap changed = qdbus_cast<QVariantMap>(arguments.value(1));
    if (changed.contains(QStringLiteral("LockedHint")))
        lockedHint_ = changed.value(QStringLiteral("LockedHint")).toBool();
    else if (qdbus_cast<QStringList>(arguments.value(2)).contains(QStringLiteral("LockedHint")))
        readLockedHint();
}

void DesktopSessionLock::followScreenSaver(QDBusConnection bus) {
    // KDE sends it from more than one path; GNOME Shell under its own interface too.
    for (const QString& interface : {screenSaverInterface, QStringLiteral("org.gnome.ScreenSaver")})
        bus.connect(QString(), QString(), interface, QStringLiteral("ActiveChanged"),
                    screenSaverListener_.get(), listenerSlot);
    const QDBusMessage active = QDBusMessage::createMethodCall(
        screenSaverInterface, QStringLiteral("/org/freedesktop/ScreenSaver"), screenSaverInterface,
        QStringLiteral("GetActive"));
    bus.callWithCallback(active, activeReply_.get(), listenerSlot);
}

} // namespace wigglet::desktop
