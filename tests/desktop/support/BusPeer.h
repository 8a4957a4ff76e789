#pragma once

#include "support/PrivateBus.h"

#include <QDBusConnection>
#include <QThread>
#include <memory>

namespace wigglet::testing {

// A service on the private bus, answering from a thread of its own, so that a call that
// blocks the main thread still gets its reply.
class BusPeer {
  public:
    BusPeer(const PrivateBus& bus, const QString& service, const QString& path,
            std::unique_ptr<QObject> object,
            QDBusConnection::RegisterOptions exported = QDBusConnection::ExportAllSlots)
        : object_(std::move(object)), connection_(bus.connect(QStringLiteral("peer ") + service)),
          service_(service) {
        thread_.start();
        object_->moveToThread(&thread_);
        registered_ = connection_.isConnected() &&
                      connection_.registerObject(path, object_.get(), exported) &&
                      connection_.registerService(service);
    }
    ~BusPeer() {
        connection_.unregisterService(service_);
        connection_.unregisterObject(QStringLiteral("/"), QDBusConnection::UnregisterTree);
        thread_.quit();
        thread_.wait();
    }
    BusPeer(const BusPeer&) = delete;
    BusPeer& operator=(const BusPeer&) = delete;

    bool isRegistered() const { return registered_; }

  private:
    QThread thread_;
    std::unique_ptr<QObject> object_;
    QDBusConnection connection_;
    QString service_;
    bool registered_ = false;
};

} // namespace wigglet::testing
