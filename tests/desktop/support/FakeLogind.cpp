#include "support/FakeLogind.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace wigglet::testing {

FakeLogind::~FakeLogind() {
    for (const int fd : readEnds_)
        ::close(fd);
}

std::vector<QStringList> FakeLogind::inhibits() const {
    std::lock_guard lock(mutex_);
    return inhibits_;
}

int FakeLogind::held() const {
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

QDBusUnixFileDescriptor FakeLogind::Inhibit(const QString& what, const QString& who,
                                            const QString& why, const QString& mode) {
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

} // namespace wigglet::testing
