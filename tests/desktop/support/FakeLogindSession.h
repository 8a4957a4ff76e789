#pragma once

#include <QDBusContext>
#include <QDBusError>
#include <QObject>
#include <QString>
#include <mutex>
#include <vector>

namespace wigglet::testing {

// One of logind's session objects as far as the backlight goes: it records each
// SetBrightness, or refuses them all as logind does a caller outside the active session.
class FakeLogindSession : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Session")

  public:
    struct Call {
        QString subsystem;
        QString name;
        uint brightness = 0;
        bool operator==(const Call&) const = default;
    };

    explicit FakeLogindSession(bool refuses = false) : refuses_(refuses) {}

    std::vector<Call> calls() const {
        std::lock_guard lock(mutex_);
        return calls_;
    }

  public slots:
    void SetBrightness(const QString& subsystem, const QString& name, uint brightness) {
        std::lock_guard lock(mutex_);
        calls_.push_back({subsystem, name, brightness});
        if (refuses_)
            sendErrorReply(QDBusError::AccessDenied, QStringLiteral("not the active session"));
    }

  private:
    const bool refuses_;
    mutable std::mutex mutex_;
    std::vector<Call> calls_;
};

} // namespace wigglet::testing
