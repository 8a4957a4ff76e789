#include "control/ControlClient.h"

#include "app/LocalClock.h"
#include "app/ShakeTimer.h"
#include "control/ControlBusAdaptor.h"
#include "foundation/Localizer.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QVariantMap>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

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

// A local date as 2026-03-29T17:30.
std::string localDate(qlonglong date) {
    return LocalClock::dateTimeText(LocalClock::civil(static_cast<double>(date)));
}

std::string heldText(const QVariantMap& p) {
    const QString by = p.value("HeldBy").toString();
    if (by.isEmpty())
        return {};
    const qlonglong until = p.value("HeldUntil").toLongLong();
    std::string text = " (" + by.toStdString() + ")";
    if (until > 0)
        text += " until " + LocalClock::timeOfDayText(
                                LocalClock::civil(static_cast<double>(until)).secondOfDay / 60);
    return text;
}

// Takes a hold on shaking for as long as WAIT runs, and gives WAIT's answer. Should this
// process die first, Wigglet sees it leave the bus and lets go by itself.
int holdWhile(const std::string& label, const std::function<int()>& wait) {
    const QDBusMessage reply = call("Hold", {QString::fromStdString(label)});
    if (reply.type() == QDBusMessage::ErrorMessage) {
        std::fprintf(stderr, "wigglet: %s\n", qPrintable(reply.errorMessage()));
        return 1;
    }
    const uint id = reply.arguments().value(0).toUInt();
    const int status = wait();
    call("Release", {QVariant::fromValue(id)}, false);
    return status;
}

// The command's exit status, or 128 plus the signal that ended it, as shells report it.
int runCommand(const std::vector<std::string>& command) {
    std::vector<char*> argv;
    for (const std::string& word : command)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    if (const int error = posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ)) {
        std::fprintf(stderr, "wigglet: cannot run %s: %s\n", argv[0], std::strerror(error));
        return 127;
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

std::string processName(std::int64_t pid) {
    std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
    std::string name;
    if (std::getline(comm, name) && !name.empty())
        return name;
    return "process " + std::to_string(pid);
}

int watchProcess(std::int64_t pid) {
    const int fd = static_cast<int>(syscall(SYS_pidfd_open, static_cast<pid_t>(pid), 0));
    if (fd < 0) {
        std::fprintf(stderr, "wigglet: cannot watch process %lld: %s\n",
                     static_cast<long long>(pid), std::strerror(errno));
        return 1;
    }
    const int status = holdWhile(processName(pid), [fd] {
        // The descriptor becomes readable when the process ends: one wait, no polling loop.
        pollfd ended{fd, POLLIN, 0};
        while (poll(&ended, 1, -1) < 0 && errno == EINTR) {
        }
        return 0;
    });
    close(fd);
    return status;
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
        if (!p.value("HeldBy").toString().isEmpty())
            out["heldBy"] = p.value("HeldBy").toString().toStdString();
        if (p.value("HeldUntil").toLongLong() > 0)
            out["heldUntil"] = localDate(p.value("HeldUntil").toLongLong());
        if (!notSaved.isEmpty())
            out["settingsNotSaved"] = notSaved.toStdString();
        std::puts(oneLine(out).c_str());
        return 0;
    }
    if (!shaking)
        std::puts("Not shaking");
    else if (timed)
        std::printf("Shaking: %s left\n", timeLeftText(left).c_str());
    else if (const std::string held = heldText(p); !held.empty())
        std::printf("Shaking%s\n", held.c_str());
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

    if (line.verb == CommandLine::Verb::RunCommand) {
        const std::string& program = line.command.front();
        const std::string label = program.substr(program.find_last_of('/') + 1);
        return holdWhile(label, [&line] { return runCommand(line.command); });
    }
    if (line.verb == CommandLine::Verb::Watch)
        return watchProcess(line.pid);

    QDBusMessage reply;
    if (line.verb == CommandLine::Verb::Shake && line.until)
        reply = call("ShakeUntil", {QString::fromStdString(*line.until)});
    else if (line.verb == CommandLine::Verb::Shake)
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
