#include "platform/linux/dbus/ScreenSaverInhibitor.h"

#include "platform/linux/x11/XConnection.h"

#include <QDBusMessage>
#include <QDBusReply>
#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

namespace wigglet::desktop {

namespace {

const QString service = QStringLiteral("org.freedesktop.ScreenSaver");
const QString path = QStringLiteral("/org/freedesktop/ScreenSaver");
const QString interface = QStringLiteral("org.freedesktop.ScreenSaver");

QDBusMessage screenSaverCall(const QString& method) {
    return QDBusMessage::createMethodCall(service, path, interface, method);
}

std::string reasonFor(const std::string& type) {
    if (type == "PreventUserIdleDisplaySleep")
        return "Keeping the display awake while you are away";
    return type;
}

} // namespace

ScreenSaverInhibitor::ScreenSaverInhibitor(XConnection* connection, QDBusConnection bus)
    : connection_(connection), bus_(std::move(bus)), wasConnected_(bus_.isConnected()) {
    if (connection_) {
        int eventBase = 0;
        int errorBase = 0;
        hasXScreenSaver_ =
            XScreenSaverQueryExtension(connection_->display(), &eventBase, &errorBase);
    }
}

ScreenSaverInhibitor::~ScreenSaverInhibitor() {
    // The server counts suspensions per client and the session service drops the cookies of
    // a client that leaves the bus; releasing here keeps both right when the process stays.
    while (!held_.empty())
        doReleaseAssertion(held_.begin()->first);
}

AssertionResult ScreenSaverInhibitor::doCreateAssertion(const std::string& type,
                                                        const std::string& name) {
    const std::string reason = reasonFor(type);
    const auto cookie = inhibit(name, reason);
    if (!cookie && !hasXScreenSaver_)
        return {kIOReturnAborted, 0};
    suspendScreenSaver(true);
    const std::uint32_t id = cookie && !held_.contains(*cookie) ? *cookie : unusedId();
    held_[id] = {name, reason, cookie};
    return {kIOReturnSuccess, id};
}

void ScreenSaverInhibitor::doReleaseAssertion(std::uint32_t id) {
    const auto it = held_.find(id);
    if (it == held_.end())
        return;
    if (it->second.cookie)
        uninhibit(*it->second.cookie);
    held_.erase(it);
    suspendScreenSaver(false);
}

PowerManagement::ActivityToken ScreenSaverInhibitor::doBeginActivity(std::uint64_t,
                                                                     const std::string& reason) {
    // Linux has no process activity to begin; the token only has to live.
    return std::make_shared<std::string>(reason);
}

bool ScreenSaverInhibitor::canDeclareUserActivity() {
    return hasXScreenSaver_ || bus_.isConnected();
}

void ScreenSaverInhibitor::doDeclareUserActivity() {
    rejoinSessionBus();
    if (hasXScreenSaver_) {
        XResetScreenSaver(connection_->display());
        connection_->noteSyntheticInput();
    }
    if (bus_.isConnected())
        bus_.send(screenSaverCall(QStringLiteral("SimulateUserActivity")));
}

void ScreenSaverInhibitor::rejoinSessionBus() {
    if (bus_.isConnected() || !wasConnected_)
        return;
    // Qt keeps a dead connection under its name; each attempt needs a name of its own.
    const QString name = QStringLiteral("wigglet-screensaver-%1").arg(++rejoins_);
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
    if (!bus.isConnected()) {
        QDBusConnection::disconnectFromBus(name);
        return;
    }
    bus_ = bus;
    for (auto& [id, held] : held_)
        held.cookie = inhibit(held.name, held.reason);
}

std::optional<std::uint32_t> ScreenSaverInhibitor::inhibit(const std::string& name,
                                                           const std::string& reason) {
    if (!bus_.isConnected())
        return std::nullopt;
    QDBusMessage call = screenSaverCall(QStringLiteral("Inhibit"));
    call << QString::fromStdString(name) << QString::fromStdString(reason);
    const QDBusReply<uint> reply = bus_.call(call, QDBus::Block, inhibitTimeoutMs);
    if (!reply.isValid())
        return std::nullopt;
    return reply.value();
}

void ScreenSaverInhibitor::uninhibit(std::uint32_t cookie) {
    QDBusMessage call = screenSaverCall(QStringLiteral("UnInhibit"));
    call << cookie;
    bus_.send(call);
}

void ScreenSaverInhibitor::suspendScreenSaver(bool suspend) {
    if (!hasXScreenSaver_)
        return;
    XScreenSaverSuspend(connection_->display(), suspend ? True : False);
    XFlush(connection_->display());
}

std::uint32_t ScreenSaverInhibitor::unusedId() const {
    std::uint32_t id = 1;
    while (held_.contains(id))
        ++id;
    return id;
}

} // namespace wigglet::desktop
