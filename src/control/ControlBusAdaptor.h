#pragma once

#include "control/RemoteControl.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusServiceWatcher>
#include <QObject>
#include <QString>
#include <map>

namespace wigglet {

class AppDelegate;
class ApplicationBusAdaptor;

// Wigglet's object on the session bus: the methods a script calls and the properties a panel
// follows through PropertiesChanged. Calls arrive on the main loop and go through the same
// delegate routines as the menu.
class ControlBusAdaptor : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.wigglet.Wigglet")
    Q_PROPERTY(bool Shaking READ shaking)
    Q_PROPERTY(bool Timed READ timed)
    Q_PROPERTY(qlonglong SecondsLeft READ secondsLeft)
    Q_PROPERTY(qlonglong LastDurationSelected READ lastDurationSelected)
    Q_PROPERTY(bool MoveCursor READ moveCursor)
    Q_PROPERTY(bool Click READ click)
    Q_PROPERTY(bool Scroll READ scroll)
    Q_PROPERTY(QString SettingsNotSaved READ settingsNotSaved)
    Q_PROPERTY(QString HeldBy READ heldBy)
    Q_PROPERTY(qlonglong HeldUntil READ heldUntil)

  public:
    static constexpr const char* objectPath = "/org/wigglet/Wigglet";
    static constexpr const char* interfaceName = "org.wigglet.Wigglet";

    explicit ControlBusAdaptor(AppDelegate& delegate);
    // Puts the object on the session bus; false when there is none.
    bool exportOnSessionBus();
    // Puts the object on this bus, as when the session bus came back; signals go there.
    bool exportOn(QDBusConnection bus);
    // org.freedesktop.Application on the same object.
    ApplicationBusAdaptor& application() const { return *application_; }
    RemoteControl& remote() { return control_; }

    bool shaking() const { return control_.state().shaking; }
    bool timed() const { return control_.state().timed; }
    qlonglong secondsLeft() const { return control_.state().secondsLeft; }
    qlonglong lastDurationSelected() const { return control_.state().lastDurationSelected; }
    bool moveCursor() const { return control_.state().moveCursor; }
    bool click() const { return control_.state().click; }
    bool scroll() const { return control_.state().scroll; }
    QString settingsNotSaved() const {
        return QString::fromStdString(control_.state().settingsNotSaved);
    }

    QString heldBy() const { return QString::fromStdString(control_.state().heldBy); }
    qlonglong heldUntil() const { return control_.state().heldUntil; }

  public slots:
    void Toggle();
    void ShakeFor(qlonglong minutes);
    void Stop();
    void ShakeUntil(const QString& timeOfDay);
    // A hold on shaking that lasts until it is released or its caller leaves the bus.
    uint Hold(const QString& label);
    void Release(uint id);

  private:
    void announce(const ControlState& state, const std::vector<std::string>& changed);
    void callerLeft(const QString& name);

    RemoteControl control_;
    ApplicationBusAdaptor* application_;
    QDBusConnection bus_{QStringLiteral("none")};
    bool exported_ = false;
    QDBusServiceWatcher* callers_ = nullptr;
    std::map<uint, QString> holds_; // by id, the caller that took each
};

} // namespace wigglet
