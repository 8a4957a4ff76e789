#pragma once

#include <QDBusConnection>
#include <QThread>
#include <memory>

class QObject;

namespace wigglet::testing {

class PrivateBus;

// A service on the private bus, answering from a thread of its own, so that a call that
// blocks the main thread still gets its reply.
class BusPeer {
  public:
    BusPeer(const PrivateBus& bus, const QString& service, const QString& path,
            std::unique_ptr<QObject> object,
            QDBusConnection::RegisterOptions exported = QDBusConnection::ExportAllSlots);
    ~BusPeer();
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
