#include "platform/linux/SingleInstance.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace wigglet::desktop {

SingleInstance::SingleInstance(std::string applicationId)
    : applicationId_(std::move(applicationId)) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    hasBus_ = bus.isConnected();
    if (hasBus_)
        otherIsRunning_ =
            bus.interface()->isServiceRegistered(QString::fromStdString(applicationId_));
    else
        otherIsRunning_ = !takeLock();
}

SingleInstance::~SingleInstance() {
    if (lockFd_ >= 0)
        ::close(lockFd_);
}

bool SingleInstance::claim() {
    if (!hasBus_)
        return !otherIsRunning_;
    return claimOn(QDBusConnection::sessionBus());
}

bool SingleInstance::claimOn(QDBusConnection bus) {
    // No queueing: a second instance must learn at once that the name is taken.
    const auto reply = bus.interface()->registerService(
        QString::fromStdString(applicationId_), QDBusConnectionInterface::DontQueueService,
        QDBusConnectionInterface::DontAllowReplacement);
    return reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered;
}

bool SingleInstance::takeLock() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string folder = runtime && *runtime ? runtime : "/tmp";
    const std::string path =
        folder + "/" + applicationId_ + "-" + std::to_string(::getuid()) + ".lock";
    lockFd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (lockFd_ < 0)
        return true; // no place for a lock: better two instances than none
    return ::flock(lockFd_, LOCK_EX | LOCK_NB) == 0;
}

} // namespace wigglet::desktop
