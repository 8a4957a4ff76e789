#pragma once

#include <QDBusAbstractAdaptor>
#include <QDBusContext>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>
#include <functional>

namespace wigglet {

class AppDelegate;
class RemoteControl;

// org.freedesktop.Application on Wigglet's object, which makes the program D-Bus activatable:
// the application grid, a launcher or a second `wigglet` asks the running program to show
// itself instead of starting another. The desktop entry's actions arrive through
// ActivateAction and go through the same routines as the menu.
class ApplicationBusAdaptor : public QDBusAbstractAdaptor, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")

  public:
    static constexpr const char* interfaceName = "org.freedesktop.Application";

    // PARENT is the object exported on the bus; it owns the adaptor.
    ApplicationBusAdaptor(QObject* parent, AppDelegate& delegate, RemoteControl& control);

    // What the quit action does.
    std::function<void()> quit;

  public slots:
    void Activate(const QVariantMap& platformData);
    void Open(const QStringList& uris, const QVariantMap& platformData);
    void ActivateAction(const QString& name, const QVariantList& parameter,
                        const QVariantMap& platformData);

  private:
    void shake(const QVariantList& parameter);
    void refuse(const QString& why);

    AppDelegate& delegate_;
    RemoteControl& control_;
};

} // namespace wigglet
