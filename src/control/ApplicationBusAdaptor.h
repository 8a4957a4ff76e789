#pragma once

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>
#include <functional>
#include <optional>

namespace wigglet {

class AppDelegate;
class RemoteControl;

// org.freedesktop.Application on Wigglet's object, which makes the program D-Bus activatable:
// the application grid, a launcher or a second `wigglet` asks the running program to show
// itself instead of starting another. The desktop entry's actions arrive through
// ActivateAction and go through the same routines as the menu.
class ApplicationBusAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")

  public:
    static constexpr const char* interfaceName = "org.freedesktop.Application";

    // PARENT is the object exported on the bus; it owns the adaptor.
    ApplicationBusAdaptor(QObject* parent, AppDelegate& delegate, RemoteControl& control);

    // The bus that errors are answered on.
    void setBus(QDBusConnection bus) { bus_ = bus; }

    // What the quit action does.
    std::function<void()> quit;

  public slots:
    void Activate(const QVariantMap& platformData);
    void Open(const QStringList& uris, const QVariantMap& platformData);
    // An adaptor gets no call context, so the message comes as the last argument.
    void ActivateAction(const QString& name, const QVariantList& parameter,
                        const QVariantMap& platformData, const QDBusMessage& message);

  private:
    std::optional<QString> act(const QString& name, const QVariantList& parameter);
    std::optional<QString> shake(const QVariantList& parameter);

    AppDelegate& delegate_;
    RemoteControl& control_;
    QDBusConnection bus_{QStringLiteral("none")};
};

} // namespace wigglet
