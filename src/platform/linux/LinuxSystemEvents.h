#pragma once

#include "platform/SystemEvents.h"

#include <QDBusConnection>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QSocketNotifier;
class QTimer;

namespace wigglet::desktop {

class BusSignalListener;

// What a Linux system announces: logind's end of a sleep and UPower's change of power source
// on the system bus; a watched program's end through a pidfd per process, and its start
// through inotify on its executable, which an exec opens. Nothing is polled.
class LinuxSystemEvents final : public SystemEvents {
  public:
    explicit LinuxSystemEvents(QDBusConnection systemBus, std::filesystem::path proc = "/proc");
    ~LinuxSystemEvents() override;

    bool programRunning(const std::string& name) override;
    void watchPrograms(const std::vector<std::string>& names) override;

  private:
    struct Followed {
        std::string name;
        int pidfd;
        std::unique_ptr<QSocketNotifier> ended;
    };

    std::vector<int> processesNamed(const std::string& name) const;
    // A pidfd for each running process of a watched name that has none yet; whether any new.
    bool followWatched();
    void ended(int pid);
    void watchExecutables();
    void stopWatchingExecutables();

    QDBusConnection bus_;
    std::filesystem::path proc_;
    std::unique_ptr<BusSignalListener> sleep_;
    std::unique_ptr<BusSignalListener> power_;
    std::vector<std::string> names_;
    std::map<int, Followed> followed_;
    int inotify_ = -1;
    std::unique_ptr<QSocketNotifier> opened_;
    // An exec opens the file before the process takes the program's name: look a moment later.
    std::unique_ptr<QTimer> lookAgain_;
};

} // namespace wigglet::desktop
