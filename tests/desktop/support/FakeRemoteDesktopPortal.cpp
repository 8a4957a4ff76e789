#include "support/FakeRemoteDesktopPortal.h"

#include <QDBusMessage>

namespace wigglet::testing {

namespace {

QDBusMessage responseSignal(const QString& path, uint response, const QVariantMap& results) {
    QDBusMessage signal = QDBusMessage::createSignal(
        path, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
    signal << response << results;
    return signal;
}

} // namespace

void FakeRemoteDesktopPortal::answerStartWith(uint response, const QString& restoreToken) {
    const std::lock_guard lock(mutex_);
    startResponse_ = response;
    restoreToken_ = restoreToken;
}

void FakeRemoteDesktopPortal::answerHeldStart() {
    const std::lock_guard lock(mutex_);
    holding_ = false;
    connection_.send(responseSignal(heldRequest_, startResponse_, startResults()));
}

void FakeRemoteDesktopPortal::closeSession() {
    const std::lock_guard lock(mutex_);
    QDBusMessage signal = QDBusMessage::createSignal(
        session_, QStringLiteral("org.freedesktop.portal.Session"), QStringLiteral("Closed"));
    signal << QVariantMap();
    connection_.send(signal);
}

std::vector<FakeRemoteDesktopPortal::Call> FakeRemoteDesktopPortal::calls() const {
    const std::lock_guard lock(mutex_);
    return calls_;
}

std::vector<FakeRemoteDesktopPortal::Notification> FakeRemoteDesktopPortal::notifications() const {
    const std::lock_guard lock(mutex_);
    return notifications_;
}

QDBusObjectPath FakeRemoteDesktopPortal::CreateSession(const QVariantMap& options) {
    const QString session =
        pathFor("session", options.value(QStringLiteral("session_handle_token")).toString());
    {
        const std::lock_guard lock(mutex_);
        session_ = session;
    }
    // Real portals send the handle as a string.
    return request(QStringLiteral("CreateSession"), options, 0,
                   {{QStringLiteral("session_handle"), session}});
}

QDBusObjectPath FakeRemoteDesktopPortal::SelectDevices(const QDBusObjectPath&,
                                                       const QVariantMap& options) {
    return request(QStringLiteral("SelectDevices"), options, 0, {});
}

QDBusObjectPath FakeRemoteDesktopPortal::Start(const QDBusObjectPath&, const QString&,
                                               const QVariantMap& options) {
    return request(QStringLiteral("Start"), options, 0, {});
}

QDBusObjectPath FakeRemoteDesktopPortal::request(const QString& method, const QVariantMap& options,
                                                 uint response, QVariantMap results) {
    const QString path =
        pathFor("request", options.value(QStringLiteral("handle_token")).toString());
    const std::lock_guard lock(mutex_);
    connection_ = connection();
    calls_.push_back({method, options});
    if (method == QStringLiteral("Start")) {
        if (holding_) {
            heldRequest_ = path;
            return QDBusObjectPath(path);
        }
        response = startResponse_;
        results = startResults();
    }
    // After the reply, as the desktop answers once the user has.
    QMetaObject::invokeMethod(
        this,
        [bus = connection_, signal = responseSignal(path, response, results)] { bus.send(signal); },
        Qt::QueuedConnection);
    return QDBusObjectPath(path);
}

QVariantMap FakeRemoteDesktopPortal::startResults() const {
    QVariantMap results{{QStringLiteral("devices"), 3u}};
    if (!restoreToken_.isEmpty())
        results.insert(QStringLiteral("restore_token"), restoreToken_);
    return results;
}

QString FakeRemoteDesktopPortal::pathFor(const char* kind, const QString& token) const {
    QString sender = message().service().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return QStringLiteral("/org/freedesktop/portal/desktop/%1/%2/%3")
        .arg(QLatin1String(kind), sender, token);
}

void FakeRemoteDesktopPortal::record(const QString& method, const QVariantList& values) {
    const std::lock_guard lock(mutex_);
    notifications_.push_back({method, values});
}

void PrintTo(const FakeRemoteDesktopPortal::Notification& notification, std::ostream* out) {
    *out << notification.method.toStdString();
    for (const QVariant& value : notification.values)
        *out << ' ' << value.toString().toStdString();
}

void FakeRemoteDesktopPortal::NotifyPointerMotion(const QDBusObjectPath&, const QVariantMap&,
                                                  double dx, double dy) {
    record(QStringLiteral("NotifyPointerMotion"), {dx, dy});
}

void FakeRemoteDesktopPortal::NotifyPointerButton(const QDBusObjectPath&, const QVariantMap&,
                                                  int button, uint state) {
    record(QStringLiteral("NotifyPointerButton"), {button, state});
}

void FakeRemoteDesktopPortal::NotifyPointerAxisDiscrete(const QDBusObjectPath&, const QVariantMap&,
                                                        uint axis, int steps) {
    record(QStringLiteral("NotifyPointerAxisDiscrete"), {axis, steps});
}

void FakeRemoteDesktopPortal::NotifyKeyboardKeycode(const QDBusObjectPath&, const QVariantMap&,
                                                    int keycode, uint state) {
    record(QStringLiteral("NotifyKeyboardKeycode"), {keycode, state});
}

} // namespace wigglet::testing
