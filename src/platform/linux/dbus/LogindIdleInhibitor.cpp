#include "platform/linux/dbus/LogindIdleInhibitor.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusServiceWatcher>

namespace wigglet::desktop {

LogindIdleInhibitor::LogindIdleInhibitor(QDBusConnection bus) : bus_(std::move(bus)) {
    if (!bus_.isConnected())
        return;
    watcher_ = std::make_unique<QDBusServiceWatcher>(
        QString::fromLatin1(service), bus_,
        QDBusServiceWatcher::WatchForRegistration | QDBusServiceWatcher::WatchForUnregistration);
    QObject::connect(watcher_.get(), &QDBusServiceWatcher::serviceRegistered,
                     [this](const QString&) {
                         if (hold_ && !hold_->descriptor.isValid())
                             takeDescriptor();
                     });
    // A logind that went away took its inhibitor with it.
    QObject::connect(watcher_.get(), &QDBusServiceWatcher::serviceUnregistered,
                     [this](const QString&) {
                         if (hold_)
                             hold_->descriptor = QDBusUnixFileDescriptor();
                     });
}

LogindIdleInhibitor::~LogindIdleInhibitor() = default;

std::string LogindIdleInhibitor::description() const {
    return std::string("logind's idle inhibitor") + (isAvailable() ? "" : " (when it appears)");
}

bool LogindIdleInhibitor::isAvailable() const {
    return bus_.isConnected() &&
           bus_.interface()->isServiceRegistered(QString::fromLatin1(service)).value();
}

void LogindIdleInhibitor::inhibit(const std::string& application, const std::string& reason) {
    if (hold_)
        return;
    hold_ = Hold{QString::fromStdString(application), QString::fromStdString(reason), {}};
    if (isAvailable())
        takeDescriptor();
}

void LogindIdleInhibitor::takeDescriptor() {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(service), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Inhibit"));
    call << QStringLiteral("idle") << hold_->application << hold_->reason
         << QStringLiteral("block");
    const QDBusReply<QDBusUnixFileDescriptor> reply =
        bus_.call(call, QDBus::Block, inhibitTimeoutMs);
    if (reply.isValid())
        hold_->descriptor = reply.value();
}

void LogindIdleInhibitor::release() {
    // Closing the descriptor is the release.
    hold_.reset();
}

} // namespace wigglet::desktop
