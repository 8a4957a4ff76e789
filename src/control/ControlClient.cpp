#include "control/ControlClient.h"

#include "app/ShakeTimer.h"
#include "control/ControlBusAdaptor.h"
#include "foundation/Localizer.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QVariantMap>
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>
#include <sys/stat.h>

namespace wigglet {

namespace {

constexpr const char* kService = "org.wigglet.Wigglet";

QDBusMessage call(const QString& method, const QVariantList& args = {}, bool start = true) {
    QDBusMessage message = QDBusMessage::createMethodCall(kService, ControlBusAdaptor::objectPath,
                                                          ControlBusAdaptor::interfaceName, method);
    message.setArguments(args);
    message.setAutoStartService(start);
    // Activation may take a while: the program starts and sets itself up first.
    return QDBusConnection::sessionBus().call(message, QDBus::Block, 30000);
}

std::string timeLeftText(qlonglong seconds) {
    TimeLeft left{seconds / 3600, (seconds / 60) % 60, seconds % 60};
    // Scripts read English whatever the session's language.
    return ShakeTimer::format(left, Localizer());
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

bool running() {
    QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
    return bus->isServiceRegistered(kService).value();
}

// libdbus would spawn dbus-launch (a new, empty bus) when DISPLAY is set and the address is
// not; a script verb only ever talks to the session's own bus.
bool findSessionBus() {
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (address && *address)
        return true;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (!runtime || !*runtime)
        return false;
    const std::string socket = std::string(runtime) + "/bus";
    struct stat info {};
    if (stat(socket.c_str(), &info) != 0 || !S_ISSOCK(info.st_mode))
        return false;
    return setenv("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + socket).c_str(), 1) == 0;
}

int printStatus(bool json) {
    if (!running()) {
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
    const QString notSaved = p.value("SettingsNotSaved").toString();
    if (json) {
        nlohmann::ordered_json out = {
            {"running", true},
            {"shaking", shaking},
            {"timed", timed},
            {"secondsLeft", left},
            {"lastDurationSelected", p.value("LastDurationSelected").toLongLong()},
            {"moveCursor", p.value("MoveCursor").toBool()},
            {"click", p.value("Click").toBool()},
            {"scroll", p.value("Scroll").toBool()}};
        if (!notSaved.isEmpty())
            out["settingsNotSaved"] = notSaved.toStdString();
        std::puts(oneLine(out).c_str());
        return 0;
    }
    if (!shaking)
        std::puts("Not shaking");
    else if (timed)
        std::printf("Shaking: %s left\n", timeLeftText(left).c_str());
    else
        std::puts("Shaking indefinitely");
    if (!notSaved.isEmpty())
        std::printf("Settings are held in memory only: %s\n", qPrintable(notSaved));
    return 0;
}

} // namespace

int ControlClient::run(const CommandLine& line) {
    int argc = 1;
    char name[] = "wigglet";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    if (!findSessionBus() || !QDBusConnection::sessionBus().isConnected()) {
        std::fputs("wigglet: no session bus: cannot reach Wigglet\n", stderr);
        return 1;
    }
    if (line.verb == CommandLine::Verb::Status)
        return printStatus(line.json);
    if (line.verb == CommandLine::Verb::Stop && !running()) {
        std::puts("Wigglet is not running");
        return 0;
    }

    QDBusMessage reply;
    if (line.verb == CommandLine::Verb::Shake)
        reply = call("ShakeFor", {QVariant::fromValue(qlonglong(line.minutes))});
    else if (line.verb == CommandLine::Verb::Stop)
        reply = call("Stop", {}, false); // it may have quit since: no activation to stop it
    else
        reply = call("Toggle");
    if (reply.type() == QDBusMessage::ErrorMessage) {
        std::fprintf(stderr, "wigglet: %s\n", qPrintable(reply.errorMessage()));
        return reply.errorName() == "org.freedesktop.DBus.Error.InvalidArgs" ? 2 : 1;
    }
    return 0;
}

} // namespace wigglet
