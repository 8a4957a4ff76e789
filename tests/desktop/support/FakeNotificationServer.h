#pragma once

#include <QObject>
#include <QStringList>
#include <QVariantMap>
#include <mutex>
#include <vector>

namespace wigglet::testing {

// A notification server as a desktop provides it, recording every notification it is asked
// to show.
class FakeNotificationServer : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

  public:
    struct Shown {
        QString appName;
        QString summary;
        QString body;
        QVariantMap hints;
    };

    std::vector<Shown> shown() const {
        std::lock_guard lock(mutex_);
        return shown_;
    }

  public slots:
    QString GetServerInformation(QString& vendor, QString& version, QString& protocolVersion) {
        vendor = QStringLiteral("Wigglet tests");
        version = QStringLiteral("1");
        protocolVersion = QStringLiteral("1.2");
        return QStringLiteral("fake-notifications");
    }
    uint Notify(const QString& appName, uint /*replacesId*/, const QString& /*appIcon*/,
                const QString& summary, const QString& body, const QStringList& /*actions*/,
                const QVariantMap& hints, int /*expireTimeout*/) {
        std::lock_guard lock(mutex_);
        shown_.push_back({appName, summary, body, hints});
        return static_cast<uint>(shown_.size());
    }

  private:
    mutable std::mutex mutex_;
    std::vector<Shown> shown_;
};

} // namespace wigglet::testing
