#pragma once

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusObjectPath>
#include <QObject>
#include <QVariantMap>
#include <mutex>
#include <vector>

namespace wigglet::testing {

// One shortcut of BindShortcuts' a(sa{sv}).
struct FakeShortcut {
    QString id;
    QVariantMap properties;
};

// The desktop portal's GlobalShortcuts interface: CreateSession and BindShortcuts answer
// through Response signals on the predicted request paths, each bound shortcut is recorded,
// and the test presses and releases a bound shortcut as the desktop would signal it.
class FakeGlobalShortcutsPortal : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.GlobalShortcuts")
    Q_PROPERTY(uint version READ version)

  public:
    struct Bound {
        QString session;
        QString id;
        QString trigger;
    };

    FakeGlobalShortcutsPortal();
    uint version() const { return 1; }
    std::vector<Bound> bound() const;
    // Activated, then Deactivated, for the shortcut ID of SESSION.
    void press(const QString& session, const QString& id);

  public slots:
    QDBusObjectPath CreateSession(const QVariantMap& options);
    // QtDBus finds the slot by its parameters' type names, so the namespace is spelt out.
    QDBusObjectPath BindShortcuts(const QDBusObjectPath& session,
                                  const QList<wigglet::testing::FakeShortcut>& shortcuts,
                                  const QString& parent, const QVariantMap& options);

  private:
    QDBusObjectPath answer(const QString& token, const QVariantMap& results);
    QString pathFor(const char* kind, const QString& token) const;

    mutable std::mutex mutex_;
    std::vector<Bound> bound_;
    QDBusConnection connection_{QString()};
};

QDBusArgument& operator<<(QDBusArgument& argument, const FakeShortcut& shortcut);
const QDBusArgument& operator>>(const QDBusArgument& argument, FakeShortcut& shortcut);

} // namespace wigglet::testing

Q_DECLARE_METATYPE(wigglet::testing::FakeShortcut)
