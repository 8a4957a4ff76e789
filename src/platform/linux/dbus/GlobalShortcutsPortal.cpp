#include "platform/linux/dbus/GlobalShortcutsPortal.h"

#include "platform/ModifierFlags.h"
#include "platform/linux/KeysymNames.h"
#include "platform/linux/dbus/BusSignalListener.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <atomic>
#include <memory>
#include <utility>

namespace wigglet::desktop {

namespace {

const QString shortcutsRequestInterface = QStringLiteral("org.freedesktop.portal.Request");
const QString shortcutsSessionInterface = QStringLiteral("org.freedesktop.portal.Session");
const char* const shortcutsListenerSlot = SLOT(receive(QDBusMessage));
constexpr int kShortcutsPropertyTimeoutMs = 2000;

QString nextShortcutsToken() {
    static std::atomic<int> counter{0};
    return QStringLiteral("wiggletkeys%1").arg(++counter);
}

// BindShortcuts takes a(sa{sv}): each shortcut's id and its description and preferred keys.
struct PortalShortcut {
    QString id;
    QVariantMap properties;
};

QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut) {
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut) {
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

} // namespace

} // namespace wigglet::desktop

Q_DECLARE_METATYPE(wigglet::desktop::PortalShortcut)

namespace wigglet::desktop {

bool GlobalShortcutsPortal::offeredOn(const QDBusConnection& bus) {
    if (!bus.isConnected())
        return false;
    QDBusMessage get = QDBusMessage::createMethodCall(
        QString::fromLatin1(service), QString::fromLatin1(objectPath),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << QString::fromLatin1(interface) << QStringLiteral("version");
    const QDBusMessage reply = bus.call(get, QDBus::Block, kShortcutsPropertyTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return false;
    return reply.arguments().first().value<QDBusVariant>().variant().toUInt() >= 1;
}

GlobalShortcutsPortal::GlobalShortcutsPortal(QDBusConnection bus)
    : bus_(std::move(bus)), context_(std::make_unique<QObject>()) {
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<QList<PortalShortcut>>();
    const auto listen = [this](const char* member, bool pressed) {
        auto* listener = new BusSignalListener(
            [this, pressed](const QDBusMessage& signal) { received(signal, pressed); });
        listener->setParent(context_.get());
        bus_.connect(QString::fromLatin1(service), QString::fromLatin1(objectPath),
                     QString::fromLatin1(interface), QString::fromLatin1(member), listener,
                     shortcutsListenerSlot);
    };
    listen("Activated", true);
    listen("Deactivated", false);
}

GlobalShortcutsPortal::~GlobalShortcutsPortal() {
    closeSession();
}

std::optional<std::string> GlobalShortcutsPortal::triggerFor(std::uint32_t keyCode,
                                                             std::uint32_t carbonModifiers) {
    const auto key = KeysymNames::nameOf(keyCode);
    if (!key)
        return std::nullopt;
    std::string trigger;
    for (const auto& [flag, name] :
         {std::pair{carbonModifier::controlKey, "CTRL+"},
          std::pair{carbonModifier::shiftKey, "SHIFT+"},
          std::pair{carbonModifier::optionKey, "ALT+"}, std::pair{carbonModifier::cmdKey, "LOGO+"}})
        if (carbonModifiers & flag)
            trigger += name;
    return trigger + *key;
}

std::int32_t GlobalShortcutsPortal::doRegister(std::uint32_t keyCode, std::uint32_t carbonModifiers,
                                               HotKeyID id) {
    const auto trigger = triggerFor(keyCode, carbonModifiers);
    if (!trigger || !bus_.isConnected())
        return refused;
    closeSession();
    registered_ = id;
    trigger_ = QString::fromStdString(*trigger);
    ++attempt_;
    QVariantMap options;
    options.insert(QStringLiteral("session_handle_token"), nextShortcutsToken());
    request(QStringLiteral("CreateSession"), {}, options,
            [this](const QVariantMap& results) { created(results); });
    return noErr;
}

void GlobalShortcutsPortal::doUnregister(HotKeyID id) {
    if (!registered_ || registered_->id != id.id)
        return;
    registered_.reset();
    ++attempt_;
    closeSession();
}

void GlobalShortcutsPortal::created(const QVariantMap& results) {
    const QVariant handle = results.value(QStringLiteral("session_handle"));
    // Portals have sent the handle as a string as well as an object path.
    session_ = handle.metaType() == QMetaType::fromType<QDBusObjectPath>()
                   ? handle.value<QDBusObjectPath>().path()
                   : handle.toString();
    if (session_.isEmpty())
        return;
    PortalShortcut shortcut{
        QString::fromLatin1(shortcutId),
        {{QStringLiteral("description"), QStringLiteral("Start or stop shaking")},
         {QStringLiteral("preferred_trigger"), trigger_}}};
    // No window of ours to stand the dialog on.
    request(QStringLiteral("BindShortcuts"),
            {QVariant::fromValue(QDBusObjectPath(session_)),
             QVariant::fromValue(QList<PortalShortcut>{shortcut}), QString()},
            {}, [this](const QVariantMap&) { bound_ = true; });
}

void GlobalShortcutsPortal::request(const QString& method, QVariantList arguments,
                                    QVariantMap options, Answer then) {
    const QString token = nextShortcutsToken();
    options.insert(QStringLiteral("handle_token"), token);
    const QString predicted = requestPath(token);
    // Listening before the call, so that no answer can come before the listener.
    listenForResponse(predicted, then);
    QDBusMessage call = QDBusMessage::createMethodCall(QString::fromLatin1(service),
                                                       QString::fromLatin1(objectPath),
                                                       QString::fromLatin1(interface), method);
    arguments << options;
    call.setArguments(arguments);
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), context_.get());
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context_.get(),
                     [this, watcher, predicted, then, attempt = attempt_] {
                         watcher->deleteLater();
                         const QDBusPendingReply<QDBusObjectPath> reply = *watcher;
                         // Old portals chose the path themselves.
                         if (attempt == attempt_ && reply.isValid() &&
                             reply.value().path() != predicted)
                             listenForResponse(reply.value().path(), then);
                     });
}

void GlobalShortcutsPortal::listenForResponse(const QString& path, Answer then) {
    // The listener answers once and goes; it needs itself to unsubscribe.
    auto self = std::make_shared<BusSignalListener*>(nullptr);
    const int attempt = attempt_;
    auto* listener =
        new BusSignalListener([this, self, path, then, attempt](const QDBusMessage& s) {
            bus_.disconnect(QString::fromLatin1(service), path, shortcutsRequestInterface,
                            QStringLiteral("Response"), *self, shortcutsListenerSlot);
            (*self)->deleteLater();
            const QVariantList arguments = s.arguments();
            if (attempt == attempt_ && arguments.value(0).toUInt() == 0)
                then(qdbus_cast<QVariantMap>(arguments.value(1)));
        });
    *self = listener;
    listener->setParent(context_.get());
    bus_.connect(QString::fromLatin1(service), path, shortcutsRequestInterface,
                 QStringLiteral("Response"), listener, shortcutsListenerSlot);
}

void GlobalShortcutsPortal::received(const QDBusMessage& signal, bool pressed) {
    const QVariantList arguments = signal.arguments();
    if (!registered_ || session_.isEmpty() ||
        arguments.value(0).value<QDBusObjectPath>().path() != session_ ||
        arguments.value(1).toString() != QLatin1String(shortcutId))
        return;
    const HotKeyEvent event{pressed ? kEventHotKeyPressed : kEventHotKeyReleased, *registered_,
                            true};
    deliver(&event);
}

void GlobalShortcutsPortal::closeSession() {
    bound_ = false;
    if (session_.isEmpty())
        return;
    bus_.send(QDBusMessage::createMethodCall(QString::fromLatin1(service), session_,
                                             shortcutsSessionInterface, QStringLiteral("Close")));
    session_.clear();
}

QString GlobalShortcutsPortal::requestPath(const QString& token) const {
    QString sender = bus_.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return QStringLiteral("%1/request/%2/%3").arg(QString::fromLatin1(objectPath), sender, token);
}

} // namespace wigglet::desktop
