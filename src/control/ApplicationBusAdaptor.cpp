#include "control/ApplicationBusAdaptor.h"

#include "app/AppDelegate.h"
#include "control/RemoteControl.h"

#include <QDBusError>

namespace wigglet {

ApplicationBusAdaptor::ApplicationBusAdaptor(QObject* parent, AppDelegate& delegate,
                                             RemoteControl& control)
    : QDBusAbstractAdaptor(parent), delegate_(delegate), control_(control) {}

void ApplicationBusAdaptor::Activate(const QVariantMap&) {
    delegate_.showMainWindow();
}

// Wigglet opens no documents; being asked to is being asked to show itself.
void ApplicationBusAdaptor::Open(const QStringList&, const QVariantMap&) {
    delegate_.showMainWindow();
}

void ApplicationBusAdaptor::ActivateAction(const QString& name, const QVariantList& parameter,
                                           const QVariantMap&, const QDBusMessage& message) {
    if (const auto bad = act(name, parameter)) {
        message.setDelayedReply(true);
        bus_.send(message.createErrorReply(QDBusError::InvalidArgs, *bad));
    }
}

// The reason when the action is unknown or its parameter unfit.
std::optional<QString> ApplicationBusAdaptor::act(const QString& name,
                                                  const QVariantList& parameter) {
    if (name == QLatin1String("toggle"))
        control_.toggle();
    else if (name == QLatin1String("stop"))
        control_.stop();
    else if (name == QLatin1String("shake"))
        return shake(parameter);
    else if (name == QLatin1String("preferences"))
        delegate_.showPreferences();
    else if (name == QLatin1String("window"))
        delegate_.showMainWindow();
    else if (name == QLatin1String("quit") && quit)
        quit();
    else
        return QStringLiteral("no action '%1'").arg(name);
    return std::nullopt;
}

std::optional<QString> ApplicationBusAdaptor::shake(const QVariantList& parameter) {
    bool whole = parameter.size() == 1;
    const qlonglong minutes = whole ? parameter.front().toLongLong(&whole) : 0;
    if (!whole)
        return QStringLiteral("the shake action takes the minutes, 0 for indefinitely");
    if (const auto bad = control_.shakeFor(minutes))
        return QString::fromStdString(*bad);
    return std::nullopt;
}

} // namespace wigglet
