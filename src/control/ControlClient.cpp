#include "control/ControlClient.h"

#include "app/ShakeTimer.h"
#include "control/ControlBusAdaptor.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QVariantMap>
#include <cstdio>
#include <nlohmann/json.hpp>

namespace wigglet {

namespace {

constexpr const char* kService = "org.wigglet.Wigglet";

QDBusMessage call(const QString& method, const QVariantList& args = {}) {
    QDBusMessage message = QDBusMessage::createMethodCall(kService, ControlBusAdaptor::objectPath,
                                                          ControlBusAdaptor::interfaceName, method);
    message.setArguments(args);
    // Activation may take a while: the program starts and sets itself up first.
    return QDBusConnection::sessionBus().call(message, QDBus::Block, 30000);
}

std::string timeLeftText(qlonglong seconds) {
    TimeLeft left{seconds / 3600, (seconds / 60) % 60, seconds % 60};
    return ShakeTimer::format(left);
}

// One line with a blank after each colon and comma, as people write JSON by hand.
std::string oneLine(const nlohmann::ordered_json& object) {
    std::string text = "{";
    for (const auto& [key, value] : object.items()) {
        if (text.size() > 1)
            text += ", ";
        text += nlohmann::json(key).dump() + ": " + value.dump();
    }
    return text + "}";
}

int printStatus(bool json) {
    QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
    if (!bus->isServiceRegistered(kService).value()) {
        std::puts(json ? "{\"running\": false}" : "Wigglet is not running");
        return 3;
    }
    QDBusMessage get = QDBusMessage::createMethodCall(kService, ControlBusAdaptor::objectPath,
                                                      "org.freedesktop.DBus.Properties", "GetAll");
    get << QString::fromLatin1(ControlBusAdaptor::interfaceName);
    const QDBusReply<QVariantMap> reply =
        QDBusConnection::sessionBus().call(get, QDBus::Block, 5000);
    if (!reply.isValid()) {
        std::fprintf(stderr, "wigglet: Wigglet did not answer: %s\n",
                     qPrintable(reply.error().message()));
        return 1;
    }
    const QVariantMap p = reply.value();
    const bool shaking = p.value("Shaking").toBool();
    const bool timed = p.value("Timed").toBool();
    const qlonglong left = p.value("SecondsLeft").toLongLong();
    if (json) {
        const nlohmann::ordered_json out = {
            {"running", true},
            {"shaking", shaking},
            {"timed", timed},
            {"secondsLeft", left},
            {"lastDurationSelected", p.value("LastDurationSelected").toLongLong()},
            {"moveCursor", p.value("MoveCursor").toBool()},
            {"click", p.value("Click").toBool()},
            {"scroll", p.value("Scroll").toBool()}};
        std::puts(oneLine(out).c_str());
    } else if (!shaking) {
        std::puts("Not shaking");
    } else if (timed) {
        std::printf("Shaking: %s left\n", timeLeftText(left).c_str());
    } else {
        std::puts("Shaking indefinitely");
    }
    return 0;
}

} // namespace

int ControlClient::run(const CommandLine& line) {
    int argc = 1;
    char name[] = "wigglet";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    if (!QDBusConnection::sessionBus().isConnected()) {
        std::fputs("wigglet: no D-Bus session bus: cannot reach Wigglet\n", stderr);
        return 1;
    }
    if (line.verb == CommandLine::Verb::Status)
        return printStatus(line.json);

    QDBusMessage reply;
    if (line.verb == CommandLine::Verb::Shake)
        reply = call("ShakeFor", {QVariant::fromValue(qlonglong(line.minutes))});
    else if (line.verb == CommandLine::Verb::Stop)
        reply = call("Stop");
    else
        reply = call("Toggle");
    if (reply.type() == QDBusMessage::ErrorMessage) {
        std::fprintf(stderr, "wigglet: %s\n", qPrintable(reply.errorMessage()));
        return reply.errorName() == "org.freedesktop.DBus.Error.InvalidArgs" ? 2 : 1;
    }
    return 0;
}

} // namespace wigglet
