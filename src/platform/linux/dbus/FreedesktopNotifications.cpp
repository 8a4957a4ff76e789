#include "platform/linux/dbus/FreedesktopNotifications.h"

#include "platform/linux/ApplicationId.h"
#include "platform/linux/dbus/SessionBus.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QStringList>
#include <QTimer>
#include <QVariantMap>
#include <algorithm>
#include <cmath>

namespace wigglet::desktop {

namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");

QDBusMessage notificationsCall(const QString& method) {
    return QDBusMessage::createMethodCall(service, path, service, method);
}

int triggerMs(double seconds) {
    if (!(seconds > 0))
        return 0;
    return static_cast<int>(std::min(std::ceil(seconds * 1000.0), 24.0 * 3600 * 1000));
}

} // namespace

FreedesktopNotifications::FreedesktopNotifications(SessionBus& bus)
    : bus_(bus), context_(std::make_unique<QObject>()) {}

FreedesktopNotifications::~FreedesktopNotifications() = default;

void FreedesktopNotifications::getAuthorizationStatus(
    std::function<void(AuthorizationStatus)> completion) {
    askServer([completion = std::move(completion)](bool answered) {
        completion(answered ? AuthorizationStatus::Authorized : AuthorizationStatus::Denied);
    });
}

void FreedesktopNotifications::doRequestAuthorization(std::uint32_t,
                                                      std::function<void(bool)> completion) {
    askServer(std::move(completion));
}

void FreedesktopNotifications::addRequest(const NotificationRequest& request,
                                          std::function<void(bool)> completion) {
    if (!bus_.isConnected()) {
        completion(false);
        return;
    }
    QTimer::singleShot(triggerMs(request.triggerSeconds), Qt::PreciseTimer, context_.get(),
                       [this, request] { notify(request); });
    completion(true);
}

void FreedesktopNotifications::askServer(std::function<void(bool)> completion) {
    bus_.rejoin();
    if (!bus_.isConnected()) {
        // Answered from the loop, as the bus would, so callers see one behaviour.
        QTimer::singleShot(0, context_.get(),
                           [completion = std::move(completion)] { completion(false); });
        return;
    }
    whenFinished(bus_.connection().asyncCall(
                     notificationsCall(QStringLiteral("GetServerInformation")), serverTimeoutMs),
                 std::move(completion));
}

void FreedesktopNotifications::notify(const NotificationRequest& request) {
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), QString::fromLatin1(applicationId));
    if (request.defaultSound)
        hints.insert(QStringLiteral("sound-name"), QStringLiteral("dialog-information"));
    QDBusMessage call = notificationsCall(QStringLiteral("Notify"));
    call << QString::fromLatin1(applicationName) << 0u << QString::fromLatin1(applicationId)
         << QString::fromStdString(request.title) << QString::fromStdString(request.body)
         << QStringList() << hints << -1;
    whenFinished(bus_.connection().asyncCall(call, serverTimeoutMs), [request](bool shown) {
        if (shown)
            traceShown(request);
    });
}

void FreedesktopNotifications::whenFinished(const QDBusPendingCall& call,
                                            std::function<void(bool)> then) {
    auto* watcher = new QDBusPendingCallWatcher(call, context_.get());
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context_.get(),
                     [then = std::move(then)](QDBusPendingCallWatcher* finished) {
                         finished->deleteLater();
                         then(!finished->isError());
                     });
}

} // namespace wigglet::desktop
