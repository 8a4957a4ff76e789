#include "platform/linux/SingleInstance.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>

#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <unistd.h>

namespace wigglet::desktop {

SingleInstance::SingleInstance(const std::string& applicationId) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        otherIsRunning_ = !takeLock(applicationId);
        return;
    }
    // No queueing: a second instance must learn at once that the name is taken.
    const auto reply = bus.interface()->registerService(
        QString::fromStdString(applicationId), QDBusConnectionInterface::DontQueueService,
        QDBusConnectionInterface::DontAllowReplacement);
    ownsBusName_ = reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered;
    otherIsRunning_ = !ownsBusName_;
}

SingleInstance::~SingleInstance() {
    if (lockFd_ >= 0)
        ::close(lockFd_);
}

bool SingleInstance::takeLock(const std::string& applicationId) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string folder = runtime && *runtime ? runtime : "/tmp";
    const std::string path = folder + "/" + applicationId + "-" + std::to_string(::getuid()) + ".lock";
    lockFd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (lockFd_ < 0)
        return true; // no place for a lock: better two instances than none
    return ::flock(lockFd_, LOCK_EX | LOCK_NB) == 0;
}

} // namespace wigglet::desktop
