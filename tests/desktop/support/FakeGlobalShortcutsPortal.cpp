#include "support/FakeGlobalShortcutsPortal.h"

#include <QDBusMessage>
#include <QDBusMetaType>

namespace wigglet::testing {

QDBusArgument& operator<<(QDBusArgument& argument, const FakeShortcut& shortcut) {
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, FakeShortcut& shortcut) {
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

FakeGlobalShortcutsPortal::FakeGlobalShortcutsPortal() {
    qDBusRegisterMetaType<FakeShortcut>();
    qDBusRegisterMetaType<QList<FakeShortcut>>();
}

std::vector<FakeGlobalShortcutsPortal::Bound> FakeGlobalShortcutsPortal::bound() const {
    const std::lock_guard lock(mutex_);
    return bound_;
}

void FakeGlobalShortcutsPortal::press(const QString& session, const QString& id) {
    const std::lock_guard lock(mutex_);
    for (const char* member : {"Activated", "Deactivated"}) {
        QDBusMessage signal = QDBusMessage::createSignal(
            QStringLiteral("/org/freedesktop/portal/desktop"),
            QStringLiteral("org.freedesktop.portal.GlobalShortcuts"), QString::fromLatin1(member));
        signal << QVariant::fromValue(QDBusObjectPath(session)) << id << qulonglong(1)
               << QVariantMap();
        connection_.send(signal);
    }
}

QDBusObjectPath FakeGlobalShortcutsPortal::CreateSession(const QVariantMap& options) {
    const QString session =
        pathFor("session", options.value(QStringLiteral("session_handle_token")).toString());
    return answer(options.value(QStringLiteral("handle_token")).toString(),
                  {{QStringLiteral("session_handle"), session}});
}

QDBusObjectPath FakeGlobalShortcutsPortal::BindShortcuts(const QDBusObjectPath& session,
                                                         const QList<FakeShortcut>& shortcuts,
                                                         const QString&,
                                                         const QVariantMap& options) {
    {
        const std::lock_guard lock(mutex_);
        for (const FakeShortcut& shortcut : shortcuts)
            bound_.push_back(
                {session.path(), shortcut.id,
                 shortcut.properties.value(QStringLiteral("preferred_trigger")).toString()});
    }
    return answer(options.value(QStringLiteral("handle_token")).toString(), {});
}

QDBusObjectPath FakeGlobalShortcutsPortal::answer(const QString& token,
                                                  const QVariantMap& results) {
    const QString path = pathFor("request", token);
    QDBusMessage response = QDBusMessage::createSignal(
        path, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
    response << 0u << results;
    const std::lock_guard lock(mutex_);
    connection_ = connection();
    // After the reply, as the desktop answers once the user has.
    QMetaObject::invokeMethod(
        this, [bus = connection_, response] { bus.send(response); }, Qt::QueuedConnection);
    return QDBusObjectPath(path);
}

QString FakeGlobalShortcutsPortal::pathFor(const char* kind, const QString& token) const {
    QString sender = message().service().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return QStringLiteral("/org/freedesktop/portal/desktop/%1/%2/%3")
        .arg(QLatin1String(kind), sender, token);
}

} // namespace wigglet::testing
