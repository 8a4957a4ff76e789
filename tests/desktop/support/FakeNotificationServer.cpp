#include "support/FakeNotificationServer.h"

namespace wigglet::testing {

std::vector<FakeNotificationServer::Shown> FakeNotificationServer::shown() const {
    std::lock_guard lock(mutex_);
    return shown_;
}

QString FakeNotificationServer::GetServerInformation(QString& vendor, QString& version,
                                                     QString& protocolVersion) {
    vendor = QStringLiteral("Wigglet tests");
    version = QStringLiteral("1");
    protocolVersion = QStringLiteral("1.2");
    return QStringLiteral("fake-notifications");
}

QStringList FakeNotificationServer::GetCapabilities() {
    return {QStringLiteral("body"), QStringLiteral("sound")};
}

uint FakeNotificationServer::Notify(const QString& appName, uint, const QString& appIcon,
                                    const QString& summary, const QString& body, const QStringList&,
                                    const QVariantMap& hints, int expireTimeout) {
    std::lock_guard lock(mutex_);
    shown_.push_back({appName, appIcon, summary, body, hints, expireTimeout});
    return static_cast<uint>(shown_.size());
}

} // namespace wigglet::testing
