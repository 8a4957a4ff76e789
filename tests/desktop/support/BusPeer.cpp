#include "support/BusPeer.h"

#include "support/PrivateBus.h"

namespace wigglet::testing {

BusPeer::BusPeer(const PrivateBus& bus, const QString& service, const QString& path,
                 std::unique_ptr<QObject> object, QDBusConnection::RegisterOptions exported)
    : object_(std::move(object)), connection_(bus.connect(QStringLiteral("peer ") + service)),
      service_(service) {
    thread_.start();
    object_->moveToThread(&thread_);
    registered_ = connection_.isConnected() &&
                  connection_.registerObject(path, object_.get(), exported) &&
                  connection_.registerService(service);
}

BusPeer::~BusPeer() {
    connection_.unregisterService(service_);
    connection_.unregisterObject(QStringLiteral("/"), QDBusConnection::UnregisterTree);
    thread_.quit();
    thread_.wait();
}

} // namespace wigglet::testing
