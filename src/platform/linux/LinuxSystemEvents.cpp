#include "platform/linux/LinuxSystemEvents.h"

#include "platform/linux/dbus/BusSignalListener.h"

#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/inotify.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace wigglet::desktop {

namespace {

// The kernel keeps the first 15 bytes of a process's name; a rule may name the program by
// its path, for one that is not on PATH.
std::string commOf(const std::string& name) {
    return name.substr(name.find_last_of('/') + 1, 15);
}

std::vector<std::filesystem::path> executablesNamed(const std::string& name) {
    std::vector<std::filesystem::path> found;
    if (name.find('/') != std::string::npos) {
        found.emplace_back(name);
        return found;
    }
    const char* path = std::getenv("PATH");
    std::stringstream folders(path ? path : "/usr/local/bin:/usr/bin:/bin");
    std::error_code error;
    for (std::string folder; std::getline(folders, folder, ':');)
        if (!folder.empty() && std::filesystem::is_regular_file(folder + "/" + name, error))
            found.emplace_back(folder + "/" + name);
    return found;
}

// A process that has ended but is not yet reaped keeps its name; it runs no more.
bool hasEnded(const std::filesystem::path& process) {
    std::ifstream stat(process / "stat");
    std::string line;
    std::getline(stat, line);
    const auto close = line.rfind(')');
    return close == std::string::npos || close + 2 >= line.size() || line[close + 2] == 'Z' ||
           line[close + 2] == 'X';
}

} // namespace

LinuxSystemEvents::LinuxSystemEvents(QDBusConnection systemBus, std::filesystem::path proc)
    : bus_(std::move(systemBus)), proc_(std::move(proc)), lookAgain_(std::make_unique<QTimer>()) {
    lookAgain_->setSingleShot(true);
    lookAgain_->setInterval(500);
    QObject::connect(lookAgain_.get(), &QTimer::timeout, [this] {
        if (followWatched())
            tell(Kind::ProgramsChanged);
    });
    if (!bus_.isConnected())
        return;
    sleep_ = std::make_unique<BusSignalListener>([this](const QDBusMessage& signal) {
        if (!signal.arguments().value(0).toBool())
            tell(Kind::Woke);
    });
    bus_.connect(QStringLiteral("org.freedesktop.login1"),
                 QStringLiteral("/org/freedesktop/login1"),
                 QStringLiteral("org.freedesktop.login1.Manager"),
                 QStringLiteral("PrepareForSleep"), sleep_.get(), SLOT(receive(QDBusMessage)));
    power_ = std::make_unique<BusSignalListener>(
        [this](const QDBusMessage&) { tell(Kind::PowerSourceChanged); });
    bus_.connect(QStringLiteral("org.freedesktop.UPower"),
                 QStringLiteral("/org/freedesktop/UPower"),
                 QStringLiteral("org.freedesktop.DBus.Properties"),
                 QStringLiteral("PropertiesChanged"), power_.get(), SLOT(receive(QDBusMessage)));
}

LinuxSystemEvents::~LinuxSystemEvents() {
    stopWatchingExecutables();
    for (auto& [pid, followed] : followed_)
        close(followed.pidfd);
}

std::vector<int> LinuxSystemEvents::processesNamed(const std::string& name) const {
    std::vector<int> pids;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(proc_, error)) {
        const std::string pid = entry.path().filename().string();
        if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::ifstream comm(entry.path() / "comm");
        std::string running;
        if (std::getline(comm, running) && running == commOf(name) && !hasEnded(entry.path()))
            pids.push_back(std::atoi(pid.c_str()));
    }
    return pids;
}

bool LinuxSystemEvents::programRunning(const std::string& name) {
    // A watched name's processes are followed already: no need to read /proc again.
    if (std::ranges::find(names_, name) != names_.end())
        return std::ranges::any_of(followed_, [&](const auto& f) { return f.second.name == name; });
    return !processesNamed(name).empty();
}

void LinuxSystemEvents::watchPrograms(const std::vector<std::string>& names) {
    if (names != names_) {
        names_ = names;
        watchExecutables();
    }
    followWatched();
}

bool LinuxSystemEvents::followWatched() {
    bool any = false;
    for (const std::string& name : names_)
        for (const int pid : processesNamed(name)) {
            if (followed_.contains(pid))
                continue;
            const int fd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
            if (fd < 0)
                continue;
            auto notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
            QObject::connect(notifier.get(), &QSocketNotifier::activated, lookAgain_.get(),
                             [this, pid] { ended(pid); });
            followed_.emplace(pid, Followed{name, fd, std::move(notifier)});
            any = true;
        }
    return any;
}

void LinuxSystemEvents::ended(int pid) {
    auto found = followed_.find(pid);
    if (found == followed_.end())
        return;
    found->second.ended->setEnabled(false);
    // The notifier is in its own signal: it goes once that has returned.
    QTimer::singleShot(0, lookAgain_.get(), [this, pid] {
        if (auto gone = followed_.find(pid); gone != followed_.end()) {
            close(gone->second.pidfd);
            followed_.erase(gone);
        }
        tell(Kind::ProgramsChanged);
    });
}

void LinuxSystemEvents::watchExecutables() {
    stopWatchingExecutables();
    if (names_.empty())
        return;
    inotify_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (inotify_ < 0)
        return;
    for (const std::string& name : names_)
        for (const auto& file : executablesNamed(name))
            inotify_add_watch(inotify_, file.c_str(), IN_OPEN);
    opened_ = std::make_unique<QSocketNotifier>(inotify_, QSocketNotifier::Read);
    QObject::connect(opened_.get(), &QSocketNotifier::activated, lookAgain_.get(), [this] {
        char events[4096];
        while (read(inotify_, events, sizeof events) > 0) {
        }
        lookAgain_->start();
    });
}

void LinuxSystemEvents::stopWatchingExecutables() {
    opened_.reset();
    if (inotify_ >= 0)
        close(inotify_);
    inotify_ = -1;
}

} // namespace wigglet::desktop
