#include "platform/linux/wayland/KGlobalAccelHotKeyService.h"

#include "platform/linux/ApplicationId.h"
#include "platform/linux/wayland/KGlobalAccelSignals.h"
#include "platform/linux/wayland/QtKeySequence.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QList>

namespace wigglet::desktop {

namespace {

const QString path = QStringLiteral("/kglobalaccel");
const QString interface = QStringLiteral("org.kde.KGlobalAccel");
const QString componentInterface = QStringLiteral("org.kde.kglobalaccel.Component");

// kglobalaccel's SetShortcutFlag values.
constexpr uint setPresent = 2;
constexpr uint noAutoloading = 4;
constexpr uint isDefault = 8;

QDBusMessage call(const QString& method, const QVariantList& arguments) {
    QDBusMessage message =
        QDBusMessage::createMethodCall(KGlobalAccelHotKeyService::service, path, interface, method);
    message.setArguments(arguments);
    return message;
}

} // namespace

const QString KGlobalAccelHotKeyService::service = QStringLiteral("org.kde.kglobalaccel");
const QString KGlobalAccelHotKeyService::action = QStringLiteral("toggle-shaking");

bool KGlobalAccelHotKeyService::offeredOn(const QDBusConnection& bus) {
    return bus.isConnected() && bus.interface()->isServiceRegistered(service);
}

KGlobalAccelHotKeyService::KGlobalAccelHotKeyService(QDBusConnection bus)
    : bus_(std::move(bus)),
      signals_(std::make_unique<KGlobalAccelSignals>(
          [this](const QString& name, bool pressed) { received(name, pressed); })) {}

KGlobalAccelHotKeyService::~KGlobalAccelHotKeyService() = default;

QStringList KGlobalAccelHotKeyService::actionId() {
    return {QString::fromLatin1(applicationId), action, QString::fromLatin1(applicationName),
            QStringLiteral("Switch shaking on and off")};
}

std::int32_t KGlobalAccelHotKeyService::doRegister(std::uint32_t keyCode,
                                                   std::uint32_t carbonModifiers, HotKeyID id) {
    const auto key = QtKeySequence::of(static_cast<std::uint16_t>(keyCode), carbonModifiers);
    if (!key || (registered_ && registered_->id != id.id) || !listen())
        return refused;
    const QVariantList keys{QVariant::fromValue(QList<int>{*key})};
    bus_.call(call(QStringLiteral("setShortcut"), {actionId(), keys[0], isDefault}));
    // Wigglet's own setting wins over the key kglobalaccel remembers from last time.
    const QDBusReply<QList<int>> set = bus_.call(
        call(QStringLiteral("setShortcut"), {actionId(), keys[0], setPresent | noAutoloading}));
    // Another program's shortcut on the same keys leaves the action without one.
    if (!set.isValid() || !set.value().contains(*key))
        return refused;
    registered_ = id;
    return noErr;
}

void KGlobalAccelHotKeyService::doUnregister(HotKeyID id) {
    if (!registered_ || registered_->id != id.id)
        return;
    registered_.reset();
    bus_.call(call(QStringLiteral("setInactive"), {actionId()}));
}

bool KGlobalAccelHotKeyService::listen() {
    const QDBusMessage done = bus_.call(call(QStringLiteral("doRegister"), {actionId()}));
    if (done.type() == QDBusMessage::ErrorMessage)
        return false;
    if (!componentPath_.isEmpty())
        return true;
    const QDBusReply<QDBusObjectPath> component =
        bus_.call(call(QStringLiteral("getComponent"), {QString::fromLatin1(applicationId)}));
    if (!component.isValid())
        return false;
    componentPath_ = component.value().path();
    bus_.connect(service, componentPath_, componentInterface,
                 QStringLiteral("globalShortcutPressed"), signals_.get(),
                 SLOT(pressed(QString, QString, qlonglong)));
    bus_.connect(service, componentPath_, componentInterface,
                 QStringLiteral("globalShortcutReleased"), signals_.get(),
                 SLOT(released(QString, QString, qlonglong)));
    return true;
}

void KGlobalAccelHotKeyService::received(const QString& name, bool pressed) {
    if (!registered_ || name != action)
        return;
    const HotKeyEvent event{pressed ? kEventHotKeyPressed : kEventHotKeyReleased, *registered_,
                            true};
    deliver(&event);
}

} // namespace wigglet::desktop
