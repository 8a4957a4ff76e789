#include "support/PrivateBus.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

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

std::string writeConfig() {
    char path[] = "/tmp/wigglet-test-bus-XXXXXX";
    const int fd = ::mkstemp(path);
    if (fd < 0)
        return {};
    const std::string text = configText;
    const bool written = ::write(fd, text.data(), text.size()) == ssize_t(text.size());
    ::close(fd);
    return written ? path : std::string();
}

} // namespace

std::unique_ptr<PrivateBus> PrivateBus::start(std::string& whyNot) {
    const std::string config = writeConfig();
    if (config.empty()) {
        whyNot = "cannot write a bus configuration";
        return nullptr;
    }
    std::string address;
    auto process = ChildProcess::start(
        {"dbus-daemon", "--config-file=" + config, "--nofork", "--print-address=3"}, address,
        whyNot);
    if (!process) {
        ::unlink(config.c_str());
        return nullptr;
    }
    return std::unique_ptr<PrivateBus>(
        new PrivateBus(std::move(process), QString::fromStdString(address), config));
}

PrivateBus::~PrivateBus() {
    for (const QString& name : connectionNames_)
        QDBusConnection::disconnectFromBus(name);
    process_.reset();
    ::unlink(config_.c_str());
}

QDBusConnection PrivateBus::connect(const QString& name) const {
    connectionNames_.push_back(name);
    return QDBusConnection::connectToBus(address_, name);
}

} // namespace wigglet::testing
