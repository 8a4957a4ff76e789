#include "platform/linux/dbus/BusInhibitor.h"

#include "platform/linux/dbus/SessionBus.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusServiceWatcher>

namespace wigglet::desktop {

BusInhibitor::Service BusInhibitor::screenSaver() {
    return {QStringLiteral("org.freedesktop.ScreenSaver"),
            QStringLiteral("/org/freedesktop/ScreenSaver"),
            QStringLiteral("org.freedesktop.ScreenSaver"),
            QStringLiteral("SimulateUserActivity"),
            QStringLiteral("UnInhibit"),
            std::nullopt};
}

BusInhibitor::Service BusInhibitor::powerManagement() {
    return {QStringLiteral("org.freedesktop.PowerManagement"),
            QStringLiteral("/org/freedesktop/PowerManagement/Inhibit"),
            QStringLiteral("org.freedesktop.PowerManagement.Inhibit"),
            QString(),
            QStringLiteral("UnInhibit"),
            std::nullopt};
}

BusInhibitor::Service BusInhibitor::gnomeSession() {
    constexpr std::uint32_t inhibitIdle = 8;
    return {QStringLiteral("org.gnome.SessionManager"),
            QStringLiteral("/org/gnome/SessionManager"),
            QStringLiteral("org.gnome.SessionManager"),
            QString(),
            QStringLiteral("Uninhibit"),
            inhibitIdle};
}

BusInhibitor::BusInhibitor(Service service, SessionBus& bus)
    : service_(std::move(service)), bus_(bus) {
    watch(bus_.connection());
    rejoined_ = bus_.onRejoined([this](QDBusConnection joined) {
        // The old cookies went with the old bus.
        if (hold_)
            hold_->cookie.reset();
        watch(joined);
        if (hold_)
            takeCookie();
    });
}

BusInhibitor::~BusInhibitor() {
    // The service drops the cookies of a client that leaves the bus; releasing here keeps it
    // right when the process stays.
    release();
    bus_.forget(rejoined_);
}

std::string BusInhibitor::description() const {
    return service_.name.toStdString() + (isAvailable() ? "" : " (when it appears)");
}

bool BusInhibitor::isAvailable() const {
    QDBusConnection bus = bus_.connection();
    return bus.isConnected() && bus.interface()->isServiceRegistered(service_.name);
}

void BusInhibitor::watch(QDBusConnection bus) {
    watcher_.reset();
    if (!bus.isConnected())
        return;
    watcher_ = std::make_unique<QDBusServiceWatcher>(
        service_.name, bus,
        QDBusServiceWatcher::WatchForRegistration | QDBusServiceWatcher::WatchForUnregistration);
    QObject::connect(watcher_.get(), &QDBusServiceWatcher::serviceRegistered,
                     [this](const QString&) { onServiceAppeared(); });
    QObject::connect(watcher_.get(), &QDBusServiceWatcher::serviceUnregistered,
                     [this](const QString&) {
                         if (hold_)
                             hold_->cookie.reset();
                     });
}

void BusInhibitor::onServiceAppeared() {
    // An inhibit made just before this news arrived already holds.
    if (hold_ && !hold_->cookie)
        takeCookie();
}

void BusInhibitor::inhibit(const std::string& application, const std::string& reason) {
    if (hold_)
        return;
    hold_ = Hold{QString::fromStdString(application), QString::fromStdString(reason), {}};
    takeCookie();
}

void BusInhibitor::takeCookie() {
    if (!bus_.isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(
        service_.name, service_.path, service_.interface, QStringLiteral("Inhibit"));
    if (service_.sessionFlags)
        call << hold_->application << std::uint32_t(0) << hold_->reason << *service_.sessionFlags;
    else
        call << hold_->application << hold_->reason;
    const QDBusReply<uint> reply = bus_.connection().call(call, QDBus::Block, inhibitTimeoutMs);
    if (reply.isValid())
        hold_->cookie = reply.value();
}

void BusInhibitor::release() {
    if (!hold_)
        return;
    if (hold_->cookie && bus_.isConnected()) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            service_.name, service_.path, service_.interface, service_.uninhibitMethod);
        call << *hold_->cookie;
        bus_.connection().send(call);
    }
    hold_.reset();
}

void BusInhibitor::declareActivity() {
    bus_.rejoin();
    if (service_.activityMethod.isEmpty() || !bus_.isConnected())
        return;
    bus_.connection().send(QDBusMessage::createMethodCall(
        service_.name, service_.path, service_.interface, service_.activityMethod));
}

} // namespace wigglet::desktop
