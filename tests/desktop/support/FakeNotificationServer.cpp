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

uint FakeNotificationServer::Notify(const QString& appName, uint, const QString&,
                                    const QString& summary, const QString& body, const QStringList&,
                                    const QVariantMap& hints, int) {
    std::lock_guard lock(mutex_);
    shown_.push_back({appName, summary, body, hints});
    return static_cast<uint>(shown_.size());
}

} // namespace wigglet::testing
