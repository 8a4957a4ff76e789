#include "control/ControlBusAdaptor.h"

#include "control/ApplicationBusAdaptor.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

namespace wigglet {

namespace {

QVariant valueOf(const ControlState& state, const std::string& name) {
    if (name == "Shaking")
        return state.shaking;
    if (name == "Timed")
        return state.timed;
    if (name == "SecondsLeft")
        return qlonglong(state.secondsLeft);
    if (name == "LastDurationSelected")
        return qlonglong(state.lastDurationSelected);
    if (name == "MoveCursor")
        return state.moveCursor;
    if (name == "Click")
        return state.click;
    if (name == "SettingsNotSaved")
        return QString::fromStdString(state.settingsNotSaved);
    return state.scroll;
}

} // namespace

ControlBusAdaptor::ControlBusAdaptor(AppDelegate& delegate)
    : control_(delegate,
               [this](const ControlState& state, const std::vector<std::string>& changed) {
                   announce(state, changed);
               }),
      application_(new ApplicationBusAdaptor(this, delegate, control_)) {}

bool ControlBusAdaptor::exportOnSessionBus() {
    return exportOn(QDBusConnection::sessionBus());
}

bool ControlBusAdaptor::exportOn(QDBusConnection bus) {
    bus_ = bus;
    application_->setBus(bus);
    exported_ = bus.isConnected() && bus.registerObject(objectPath, this,
                                                        QDBusConnection::ExportAllSlots |
                                                            QDBusConnection::ExportAllProperties |
                                                            QDBusConnection::ExportAdaptors);
    return exported_;
}

void ControlBusAdaptor::Toggle() {
    control_.toggle();
}

void ControlBusAdaptor::ShakeFor(qlonglong minutes) {
    if (auto bad = control_.shakeFor(minutes); bad && calledFromDBus())
        sendErrorReply(QDBusError::InvalidArgs, QString::fromStdString(*bad));
}

void ControlBusAdaptor::Stop() {
    control_.stop();
}

void ControlBusAdaptor::announce(const ControlState& state,
                                 const std::vector<std::string>& changed) {
    if (!exported_)
        return;
    QVariantMap values;
    for (const std::string& name : changed)
        values.insert(QString::fromStdString(name), valueOf(state, name));
    QDBusMessage signal =
        QDBusMessage::createSignal(objectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                   QStringLiteral("PropertiesChanged"));
    signal << QString::fromLatin1(interfaceName) << values << QStringList();
    bus_.send(signal);
}

} // namespace wigglet
