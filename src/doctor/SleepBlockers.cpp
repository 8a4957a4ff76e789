#include "doctor/SleepBlockers.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>

namespace wigglet::doctor {

namespace {

constexpr int blockerCallTimeoutMs = 1000;

QDBusMessage callOn(QDBusConnection bus, const QString& service, const QString& path,
                    const QString& interface, const QString& method,
                    const QVariantList& arguments = {}) {
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, method);
    call.setArguments(arguments);
    return bus.call(call, QDBus::Block, blockerCallTimeoutMs);
}

bool answered(const QDBusMessage& reply) {
    return reply.type() == QDBusMessage::ReplyMessage;
}

// GNOME's inhibit flags, by bit.
std::string gnomeFlags(unsigned flags) {
    constexpr const char* names[] = {"logout", "switch-user", "suspend", "idle", "automount"};
    std::string text;
    for (unsigned bit = 0; bit < std::size(names); ++bit)
        if (flags & (1u << bit))
            text += (text.empty() ? "" : ":") + std::string(names[bit]);
    return text;
}

} // namespace

SleepBlockers::SleepBlockers(QDBusConnection systemBus, QDBusConnection sessionBus)
    : system_(std::move(systemBus)), session_(std::move(sessionBus)) {
    if (!session_.isConnected())
        return;
    const auto pid = session_.interface()->servicePid(QStringLiteral("org.wigglet.Wigglet"));
    if (pid.isValid())
        wiggletPid_ = pid.value();
}

std::vector<DoctorReport::Blocker> SleepBlockers::list() const {
    std::vector<DoctorReport::Blocker> found;
    addLogind(found);
    addGnome(found);
    addKde(found);
    for (DoctorReport::Blocker& blocker : found)
        blocker.wigglet = isWigglet(blocker);
    return found;
}

bool SleepBlockers::isWigglet(const DoctorReport::Blocker& blocker) const {
    if (wiggletPid_ && blocker.pid == wiggletPid_)
        return true;
    return blocker.who == "Wigglet" || blocker.who == "org.wigglet.Wigglet";
}

void SleepBlockers::addLogind(std::vector<DoctorReport::Blocker>& found) const {
    if (!system_.isConnected())
        return;
    const QDBusMessage reply =
        callOn(system_, QStringLiteral("org.freedesktop.login1"),
               QStringLiteral("/org/freedesktop/login1"),
               QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("ListInhibitors"));
    if (!answered(reply))
        return;
    const QDBusArgument list = reply.arguments().value(0).value<QDBusArgument>();
    list.beginArray();
    while (!list.atEnd()) {
        QString what, who, why, mode;
        uint uid = 0, pid = 0;
        list.beginStructure();
        list >> what >> who >> why >> mode >> uid >> pid;
        list.endStructure();
        found.push_back({"logind", what.toStdString(), who.toStdString(), why.toStdString(),
                         mode.toStdString(), pid, false});
    }
    list.endArray();
}

void SleepBlockers::addGnome(std::vector<DoctorReport::Blocker>& found) const {
    const QString service = QStringLiteral("org.gnome.SessionManager");
    if (!session_.isConnected() || !session_.interface()->isServiceRegistered(service).value())
        return;
    const QDBusMessage reply =
        callOn(session_, service, QStringLiteral("/org/gnome/SessionManager"), service,
               QStringLiteral("GetInhibitors"));
    if (!answered(reply))
        return;
    const QString inhibitor = QStringLiteral("org.gnome.SessionManager.Inhibitor");
    for (const QDBusObjectPath& path :
         qdbus_cast<QList<QDBusObjectPath>>(reply.arguments().value(0))) {
        auto ask = [&](const char* method) {
            return callOn(session_, service, path.path(), inhibitor, QString::fromLatin1(method))
                .arguments()
                .value(0);
        };
        found.push_back({"GNOME", gnomeFlags(ask("GetFlags").toUInt()),
                         ask("GetAppId").toString().toStdString(),
                         ask("GetReason").toString().toStdString(), "block", std::nullopt, false});
    }
}

void SleepBlockers::addKde(std::vector<DoctorReport::Blocker>& found) const {
    const QString service = QStringLiteral("org.kde.Solid.PowerManagement");
    if (!session_.isConnected() || !session_.interface()->isServiceRegistered(service).value())
        return;
    const QDBusMessage reply =
        callOn(session_, service, QStringLiteral("/org/kde/Solid/PowerManagement/PolicyAgent"),
               QStringLiteral("org.kde.Solid.PowerManagement.PolicyAgent"),
               QStringLiteral("ListInhibitions"));
    if (!answered(reply))
        return;
    const QDBusArgument list = reply.arguments().value(0).value<QDBusArgument>();
    list.beginArray();
    while (!list.atEnd()) {
        QString who, why;
        list.beginStructure();
        list >> who >> why;
        list.endStructure();
        found.push_back(
            {"KDE", "sleep", who.toStdString(), why.toStdString(), "block", std::nullopt, false});
    }
    list.endArray();
}

} // namespace wigglet::doctor
