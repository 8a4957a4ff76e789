#pragma once

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>
#include <functional>

namespace wigglet::testing {

// Runs the Qt event loop until the condition holds or the timeout has passed; whether it
// holds in the end. For outcomes that another process or the bus delivers, never for timing.
inline bool runUntil(const std::function<bool()>& condition, int timeoutMs = 5000) {
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
