#include "control/ControlBusAdaptor.h"

#include "control/ApplicationBusAdaptor.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QVariantMap>
#include <set>

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
    if (name == "HeldBy")
        return QString::fromStdString(state.heldBy);
    if (name == "HeldUntil")
        return qlonglong(state.heldUntil);
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
    delete callers_;
    callers_ =
        new QDBusServiceWatcher(QString(), bus, QDBusServiceWatcher::WatchForUnregistration, this);
    connect(callers_, &QDBusServiceWatcher::serviceUnregistered, this,
            &ControlBusAdaptor::callerLeft);
    // Callers of a bus that went away went with it; those still here keep their holds.
    std::set<QString> callers;
    for (const auto& [id, caller] : holds_)
        callers.insert(caller);
    for (const QString& caller : callers) {
        if (bus.isConnected() && bus.interface()->isServiceRegistered(caller).value())
            callers_->addWatchedService(caller);
        else
            callerLeft(caller);
    }
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

void ControlBusAdaptor::ShakeUntil(const QString& timeOfDay) {
    if (auto bad = control_.shakeUntil(timeOfDay.toStdString()); bad && calledFromDBus())
        sendErrorReply(QDBusError::InvalidArgs, QString::fromStdString(*bad));
}

uint ControlBusAdaptor::Hold(const QString& label) {
    const auto id = static_cast<uint>(control_.hold(label.toStdString()));
    if (calledFromDBus()) {
        holds_[id] = message().service();
        if (callers_)
            callers_->addWatchedService(message().service());
    }
    return id;
}

void ControlBusAdaptor::Release(uint id) {
    holds_.erase(id);
    control_.release(static_cast<int>(id));
}

void ControlBusAdaptor::callerLeft(const QString& name) {
    for (auto it = holds_.begin(); it != holds_.end();) {
        if (it->second != name) {
            ++it;
            continue;
        }
        const uint id = it->first;
        it = holds_.erase(it);
        control_.release(static_cast<int>(id));
    }
    if (callers_)
        callers_->removeWatchedService(name);
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
