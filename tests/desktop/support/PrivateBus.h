#pragma once

#include "support/ChildProcess.h"

#include <QDBusConnection>
#include <QString>
#include <memory>
#include <string>
#include <vector>

namespace wigglet::testing {

// A private session bus for one test: its own dbus-daemon with no activatable services, so
// that nothing but the test's own peers answers on it.
class PrivateBus {
  public:
    // Absent, with the reason in whyNot, when dbus-daemon is missing or does not start.
    static std::unique_ptr<PrivateBus> start(std::string& whyNot);
    ~PrivateBus();

    const QString& address() const { return address_; }
    // A new client connection to the bus under a name of its own.
    QDBusConnection connect(const QString& name) const;

  private:
    PrivateBus(std::unique_ptr<ChildProcess> process, QString address)
        : process_(std::move(process)), address_(std::move(address)) {}

    std::unique_ptr<ChildProcess> process_;
    QString address_;
    mutable std::vector<QString> connectionNames_;
};

} // namespace wigglet::testing
