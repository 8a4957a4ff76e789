#pragma once

#include <QDBusUnixFileDescriptor>
#include <QObject>
#include <QStringList>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <unistd.h>
#include <vector>

namespace wigglet::testing {

// logind's manager as far as inhibitors go: each Inhibit hands out the write end of a pipe
// and keeps the read end, so the test sees whether the caller still holds it.
class FakeLogind : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

  public:
    ~FakeLogind() override {
        for (const int fd : readEnds_)
            ::close(fd);
    }

    // Each Inhibit call's arguments: what, who, why, mode.
    std::vector<QStringList> inhibits() const {
        std::lock_guard lock(mutex_);
        return inhibits_;
    }
    // How many of the handed-out descriptors are still open in some other process or object.
    int held() const {
        std::lock_guard lock(mutex_);
        int open = 0;
        for (const int fd : readEnds_) {
            pollfd each{fd, POLLIN, 0};
            // The read end hangs up once the last write end is closed.
            if (::poll(&each, 1, 0) == 0 || !(each.revents & POLLHUP))
                ++open;
        }
        return open;
    }

  public slots:
    QDBusUnixFileDescriptor Inhibit(const QString& what, const QString& who, const QString& why,
                                    const QString& mode) {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0)
            return {};
        QDBusUnixFileDescriptor given(ends[1]);
        ::close(ends[1]);
        std::lock_guard lock(mutex_);
        inhibits_.push_back({what, who, why, mode});
        readEnds_.push_back(ends[0]);
        return given;
    }

  private:
    mutable std::mutex mutex_;
    std::vector<QStringList> inhibits_;
    std::vector<int> readEnds_;
};

} // namespace wigglet::testing
