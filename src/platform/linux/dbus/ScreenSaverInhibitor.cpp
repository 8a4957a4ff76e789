#include "platform/linux/dbus/ScreenSaverInhibitor.h"

#include "platform/linux/ServerScreenSaver.h"

#include <QDBusMessage>
#include <QDBusReply>

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

ScreenSaverInhibitor::ScreenSaverInhibitor(ServerScreenSaver* server, QDBusConnection bus)
    : server_(server), bus_(std::move(bus)), wasConnected_(bus_.isConnected()) {}

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
    if (!cookie && !server_)
        return {kIOReturnAborted, 0};
    if (server_)
        server_->suspend(true);
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
    if (server_)
        server_->suspend(false);
}

PowerManagement::ActivityToken ScreenSaverInhibitor::doBeginActivity(std::uint64_t,
                                                                     const std::string& reason) {
    // Linux has no process activity to begin; the token only has to live.
    return std::make_shared<std::string>(reason);
}

bool ScreenSaverInhibitor::canDeclareUserActivity() {
    return server_ || bus_.isConnected();
}

void ScreenSaverInhibitor::doDeclareUserActivity() {
    rejoinSessionBus();
    if (server_)
        server_->reset();
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

std::uint32_t ScreenSaverInhibitor::unusedId() const {
    std::uint32_t id = 1;
    while (held_.contains(id))
        ++id;
    return id;
}

} // namespace wigglet::desktop
