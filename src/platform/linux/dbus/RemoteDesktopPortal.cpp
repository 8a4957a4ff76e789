#include "platform/linux/dbus/RemoteDesktopPortal.h"

#include "platform/linux/dbus/BusSignalListener.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <atomic>
#include <cstdio>
#include <optional>

namespace wigglet::desktop {

namespace {

const QString portalRequestInterface = QStringLiteral("org.freedesktop.portal.Request");
const QString portalSessionInterface = QStringLiteral("org.freedesktop.portal.Session");
const char* const portalListenerSlot = SLOT(receive(QDBusMessage));
constexpr std::uint32_t persistUntilRevoked = 2;
constexpr std::uint32_t responseCancelled = 1;
constexpr std::uint32_t responseOther = 2;

// Tokens are unique on the connection, across every session this process asks for.
QString nextPortalToken() {
    static std::atomic<int> counter{0};
    return QStringLiteral("wigglet%1").arg(++counter);
}

std::optional<std::uint32_t> portalProperty(const QDBusConnection& bus, const char* name) {
    QDBusMessage get = QDBusMessage::createMethodCall(
        QString::fromLatin1(RemoteDesktopPortal::service),
        QString::fromLatin1(RemoteDesktopPortal::objectPath),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << QString::fromLatin1(RemoteDesktopPortal::interface) << QString::fromLatin1(name);
    const QDBusMessage reply = bus.call(get, QDBus::Block, RemoteDesktopPortal::propertyTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return std::nullopt;
    const QVariant value = reply.arguments().first().value<QDBusVariant>().variant();
    bool ok = false;
    const std::uint32_t number = value.toUInt(&ok);
    return ok ? std::optional<std::uint32_t>(number) : std::nullopt;
}

// Portals have sent the session handle as a string as well as an object path.
QString portalPathText(const QVariant& value) {
    if (value.metaType() == QMetaType::fromType<QDBusObjectPath>())
        return value.value<QDBusObjectPath>().path();
    return value.toString();
}

} // namespace

bool RemoteDesktopPortal::offeredOn(const QDBusConnection& bus) {
    if (!bus.isConnected())
        return false;
    const auto types = portalProperty(bus, "AvailableDeviceTypes");
    return types && (*types & pointer);
}

RemoteDesktopPortal::RemoteDesktopPortal(QDBusConnection bus, PortalRestoreToken token)
    : bus_(std::move(bus)), token_(std::move(token)), context_(std::make_unique<QObject>()) {
    if (bus_.isConnected())
        version_ = portalProperty(bus_, "version").value_or(1);
}

RemoteDesktopPortal::~RemoteDesktopPortal() {
    closeSession();
}

void RemoteDesktopPortal::start() {
    if (state_ != State::idle || !bus_.isConnected())
        return;
    state_ = State::starting;
    ++attempt_;
    QVariantMap options;
    options.insert(QStringLiteral("session_handle_token"), nextPortalToken());
    request(QStringLiteral("CreateSession"), {}, options, &RemoteDesktopPortal::created);
}

void RemoteDesktopPortal::request(const QString& method, QVariantList arguments,
                                  QVariantMap options, Step next) {
    const QString token = nextPortalToken();
    options.insert(QStringLiteral("handle_token"), token);
    const QString predicted = requestPath(token);
    // Listening before the call, so that no answer can come before the listener.
    listenForResponse(predicted, next);
    QDBusMessage call = QDBusMessage::createMethodCall(QString::fromLatin1(service),
                                                       QString::fromLatin1(objectPath),
                                                       QString::fromLatin1(interface), method);
    arguments << options;
    call.setArguments(arguments);
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), context_.get());
    const int attempt = attempt_;
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context_.get(),
                     [this, watcher, attempt, predicted, next] {
                         watcher->deleteLater();
                         const QDBusPendingReply<QDBusObjectPath> reply = *watcher;
                         // The answer may have come first, and the next request be under way.
                         if (attempt != attempt_ || state_ != State::starting ||
                             requestPath_ != predicted)
                             return;
                         if (reply.isError())
                             fail(responseOther);
                         // Old portals chose the path themselves.
                         else if (reply.value().path() != predicted)
                             listenForResponse(reply.value().path(), next);
                     });
}

void RemoteDesktopPortal::listenForResponse(const QString& path, Step next) {
    stopListening();
    requestPath_ = path;
    const int attempt = attempt_;
    response_ = new BusSignalListener([this, attempt, next](const QDBusMessage& signal) {
        if (attempt != attempt_ || state_ != State::starting)
            return;
        stopListening();
        const QVariantList arguments = signal.arguments();
        const std::uint32_t response = arguments.value(0).toUInt();
        if (response != 0)
            return fail(response);
        (this->*next)(qdbus_cast<QVariantMap>(arguments.value(1)));
    });
    response_->setParent(context_.get());
    bus_.connect(QString::fromLatin1(service), path, portalRequestInterface,
                 QStringLiteral("Response"), response_, portalListenerSlot);
}

void RemoteDesktopPortal::stopListening() {
    if (!response_)
        return;
    bus_.disconnect(QString::fromLatin1(service), requestPath_, portalRequestInterface,
                    QStringLiteral("Response"), response_, portalListenerSlot);
    // It may be the one delivering the signal now.
    response_->deleteLater();
    response_ = nullptr;
}

void RemoteDesktopPortal::created(const QVariantMap& results) {
    session_ = portalPathText(results.value(QStringLiteral("session_handle")));
    if (session_.isEmpty())
        return fail(responseOther);
    closed_ = new BusSignalListener([this](const QDBusMessage&) { sessionClosed(); });
    closed_->setParent(context_.get());
    bus_.connect(QString::fromLatin1(service), session_, portalSessionInterface,
                 QStringLiteral("Closed"), closed_, portalListenerSlot);
    QVariantMap options;
    options.insert(QStringLiteral("types"), std::uint32_t(keyboard | pointer));
    if (version_ >= 2) {
        options.insert(QStringLiteral("persist_mode"), persistUntilRevoked);
        if (const auto stored = token_.read())
            options.insert(QStringLiteral("restore_token"), QString::fromStdString(*stored));
    }
    request(QStringLiteral("SelectDevices"), {QVariant::fromValue(QDBusObjectPath(session_))},
            options, &RemoteDesktopPortal::devicesSelected);
}

void RemoteDesktopPortal::devicesSelected(const QVariantMap&) {
    // No window of ours to stand the dialog on.
    request(QStringLiteral("Start"), {QVariant::fromValue(QDBusObjectPath(session_)), QString()},
            {}, &RemoteDesktopPortal::sessionStarted);
}

void RemoteDesktopPortal::sessionStarted(const QVariantMap& results) {
    state_ = State::started;
    const QString restore = results.value(QStringLiteral("restore_token")).toString();
    if (!restore.isEmpty() && !token_.write(restore.toStdString()))
        std::fprintf(stderr, "wigglet: cannot keep the Remote Desktop permission in %s\n",
                     token_.path().c_str());
}

void RemoteDesktopPortal::fail(std::uint32_t response) {
    stopListening();
    closeSession();
    if (response != responseCancelled) {
        state_ = State::idle;
        return;
    }
    state_ = State::refused;
    std::fputs("wigglet: the desktop's Remote Desktop permission was refused; Wigglet will not "
               "send input until it is started again\n",
               stderr);
    std::fflush(stderr);
}

void RemoteDesktopPortal::sessionClosed() {
    session_.clear();
    if (closed_)
        closed_->deleteLater();
    closed_ = nullptr;
    if (state_ == State::refused)
        return;
    stopListening();
    ++attempt_;
    state_ = State::idle;
}

void RemoteDesktopPortal::closeSession() {
    if (closed_) {
        bus_.disconnect(QString::fromLatin1(service), session_, portalSessionInterface,
                        QStringLiteral("Closed"), closed_, portalListenerSlot);
        closed_->deleteLater();
        closed_ = nullptr;
    }
    if (session_.isEmpty())
        return;
    bus_.send(QDBusMessage::createMethodCall(QString::fromLatin1(service), session_,
                                             portalSessionInterface, QStringLiteral("Close")));
    session_.clear();
}

bool RemoteDesktopPortal::notify(const char* member, const QVariantList& values) {
    if (state_ != State::started) {
        start();
        return false;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(service), QString::fromLatin1(objectPath),
        QString::fromLatin1(interface), QString::fromLatin1(member));
    QVariantList arguments{QVariant::fromValue(QDBusObjectPath(session_)), QVariantMap()};
    arguments << values;
    call.setArguments(arguments);
    return bus_.send(call);
}

bool RemoteDesktopPortal::pointerMotion(double dx, double dy) {
    return notify("NotifyPointerMotion", {dx, dy});
}

bool RemoteDesktopPortal::pointerButton(std::uint32_t evdev, bool down) {
    return notify("NotifyPointerButton", {std::int32_t(evdev), std::uint32_t(down ? 1 : 0)});
}

bool RemoteDesktopPortal::pointerAxisDiscrete(int steps) {
    return notify("NotifyPointerAxisDiscrete", {std::uint32_t(0), std::int32_t(steps)});
}

bool RemoteDesktopPortal::keyboardKeycode(std::uint32_t evdev, bool down) {
    return notify("NotifyKeyboardKeycode", {std::int32_t(evdev), std::uint32_t(down ? 1 : 0)});
}

QString RemoteDesktopPortal::requestPath(const QString& token) const {
    QString sender = bus_.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return QStringLiteral("%1/request/%2/%3").arg(QString::fromLatin1(objectPath), sender, token);
}

} // namespace wigglet::desktop
