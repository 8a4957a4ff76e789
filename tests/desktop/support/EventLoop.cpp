#include "support/EventLoop.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace wigglet::testing {

bool runUntil(const std::function<bool()>& condition, int timeoutMs) {
    if (condition())
        return true;
    const QDeadlineTimer deadline(timeoutMs);
    QEventLoop loop;
    QTimer check;
    check.setInterval(2);
    QObject::connect(&check, &QTimer::timeout, [&] {
        if (condition() || deadline.hasExpired())
            loop.quit();
    });
    check.start();
    loop.exec();
    return condition();
}

} // namespace wigglet::testing
