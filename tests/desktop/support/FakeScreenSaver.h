#pragma once

#include <QObject>
#include <QStringList>
#include <mutex>
#include <vector>

namespace wigglet::testing {

// The session's screen-saver service as a desktop provides it, recording every call.
class FakeScreenSaver : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

  public:
    explicit FakeScreenSaver(uint firstCookie) : nextCookie_(firstCookie) {}

    // Each call as its method name followed by its arguments.
    std::vector<QStringList> calls() const {
        std::lock_guard lock(mutex_);
        return calls_;
    }

  public slots:
    uint Inhibit(const QString& application, const QString& reason) {
        record({QStringLiteral("Inhibit"), application, reason});
        std::lock_guard lock(mutex_);
        return nextCookie_++;
    }
    void UnInhibit(uint cookie) { record({QStringLiteral("UnInhibit"), QString::number(cookie)}); }
    void SimulateUserActivity() { record({QStringLiteral("SimulateUserActivity")}); }

  protected:
    void record(QStringList call) {
        std::lock_guard lock(mutex_);
        calls_.push_back(std::move(call));
    }

  private:
    mutable std::mutex mutex_;
    std::vector<QStringList> calls_;
    uint nextCookie_;
};

} // namespace wigglet::testing
