#include "support/PrivateBus.h"

#include <QTemporaryFile>

namespace wigglet::testing {

namespace {

constexpr const char* configText = R"(<!DOCTYPE busconfig PUBLIC
 "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:tmpdir=/tmp</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)";

} // namespace

// The daemon has read its configuration before it reports its address.
std::unique_ptr<PrivateBus> PrivateBus::start(std::string& whyNot) {
    QTemporaryFile config;
    if (!config.open() || config.write(configText) < 0 || !config.flush()) {
        whyNot = "cannot write a bus configuration";
        return nullptr;
    }
    std::string address;
    auto process =
        ChildProcess::start({"dbus-daemon", "--config-file=" + config.fileName().toStdString(),
                             "--nofork", "--print-address=1"},
                            address, whyNot);
    if (!process)
        return nullptr;
    return std::unique_ptr<PrivateBus>(
        new PrivateBus(std::move(process), QString::fromStdString(address)));
}

PrivateBus::~PrivateBus() {
    for (const QString& name : connectionNames_)
        QDBusConnection::disconnectFromBus(name);
}

QDBusConnection PrivateBus::connect(const QString& name) const {
    connectionNames_.push_back(name);
    return QDBusConnection::connectToBus(address_, name);
}

} // namespace wigglet::testing
