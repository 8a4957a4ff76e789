#include "control/ShakingNotification.h"

#include "app/AppDelegate.h"
#include "app/ShakingNoticeSetting.h"
#include "control/RemoteControl.h"
#include "foundation/Localizer.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QPointer>
#include <QVariantMap>

namespace wigglet {

namespace {

const QString kNoticeService = QStringLiteral("org.freedesktop.Notifications");
const QString kNoticePath = QStringLiteral("/org/freedesktop/Notifications");
const QString kNoticeInterface = QStringLiteral("org.freedesktop.Notifications");
const QString kStopAction = QStringLiteral("stop");
// What a click on the notification itself sends.
const QString kDefaultAction = QStringLiteral("default");
constexpr int kCloseTimeoutMs = 1000;

QString noticeText(std::string_view key) {
    return QString::fromStdString(localized(key));
}

// The time left to the minute: a notification that changed every second would be sent to
// the desktop every second.
QString timeLeftBody(const ControlState& state) {
    if (!state.timed)
        return noticeText("menu-shaking-indefinitely");
    const std::int64_t minutes = (state.secondsLeft + 59) / 60;
    const auto twoDigits = [](std::int64_t value) {
        return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')).toStdString();
    };
    return noticeText("menu-shaking-left") +
           QString::fromStdString(Localizer::shared().format(
               "time-left-hours-minutes", {twoDigits(minutes / 60), twoDigits(minutes % 60)}));
}

} // namespace

ShakingNotification::ShakingNotification(AppDelegate& delegate, RemoteControl& control,
                                         bool trayless)
    : delegate_(delegate), control_(control), trayless_(trayless) {
    delegate.addRefreshListener([self = QPointer<ShakingNotification>(this)] {
        if (self)
            self->update();
    });
}

ShakingNotification::~ShakingNotification() {
    // A resident notice would outlive the program: the close must reach the server first.
    if (id_ != 0)
        bus_.call(QDBusMessage::createMethodCall(kNoticeService, kNoticePath, kNoticeInterface,
                                                 QStringLiteral("CloseNotification"))
                      << id_,
                  QDBus::Block, kCloseTimeoutMs);
}

void ShakingNotification::start(QDBusConnection bus) {
    withdraw();
    bus_ = bus;
    started_ = bus_.isConnected();
    if (!started_)
        return;
    bus_.connect(kNoticeService, kNoticePath, kNoticeInterface, QStringLiteral("ActionInvoked"),
                 this, SLOT(onActionInvoked(uint, QString)));
    bus_.connect(kNoticeService, kNoticePath, kNoticeInterface,
                 QStringLiteral("NotificationClosed"), this, SLOT(onClosed(uint, uint)));
    update();
}

void ShakingNotification::update() {
    if (!started_)
        return;
    const ControlState state = control_.state();
    if (!state.shaking)
        dismissed_ = false;
    if (!state.shaking || dismissed_ || !shakingNotice::wanted(trayless_)) {
        withdraw();
        return;
    }
    const QString body = timeLeftBody(state);
    if (body != shownBody_)
        show(body);
}

void ShakingNotification::show(const QString& body) {
    shownBody_ = body;
    QVariantMap hints;
    hints.insert(QStringLiteral("resident"), true);
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("org.wigglet.Wigglet"));
    hints.insert(QStringLiteral("category"), QStringLiteral("presence"));
    QDBusMessage call = QDBusMessage::createMethodCall(kNoticeService, kNoticePath,
                                                       kNoticeInterface, QStringLiteral("Notify"));
    call << QStringLiteral("Wigglet") << id_ << QStringLiteral("org.wigglet.Wigglet")
         << noticeText("notification-shaking-resumed-title") << body
         << QStringList{kDefaultAction, QStringLiteral("Wigglet"), kStopAction,
                        noticeText("notification-action-stop")}
         << hints << qint32(0);
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        const QDBusPendingReply<uint> reply = *w;
        // Shaking may have stopped while the server answered; the late one goes at once.
        if (reply.isValid() && !shownBody_.isEmpty())
            id_ = reply.value();
        else if (reply.isValid())
            bus_.asyncCall(QDBusMessage::createMethodCall(kNoticeService, kNoticePath,
                                                          kNoticeInterface,
                                                          QStringLiteral("CloseNotification"))
                           << reply.value());
        w->deleteLater();
    });
}

void ShakingNotification::withdraw() {
    shownBody_.clear();
    if (id_ == 0)
        return;
    bus_.asyncCall(QDBusMessage::createMethodCall(kNoticeService, kNoticePath, kNoticeInterface,
                                                  QStringLiteral("CloseNotification"))
                   << id_);
    id_ = 0;
}

void ShakingNotification::onActionInvoked(uint id, const QString& action) {
    if (id == 0 || id != id_)
        return;
    if (action == kStopAction)
        control_.stop();
    else if (action == kDefaultAction)
        delegate_.showMainWindow();
}

void ShakingNotification::onClosed(uint id, uint reason) {
    if (id == 0 || id != id_)
        return;
    id_ = 0;
    shownBody_.clear();
    // 2: dismissed by the user; closed by ourselves or expired, it may come back.
    dismissed_ = reason == 2;
}

} // namespace wigglet
