#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

namespace wigglet {

class AppDelegate;
class RemoteControl;

// A resident desktop notification while shaking, for desktops where no tray shows the state:
// it tells the time left, offers Stop, opens the main window when clicked, and goes when
// shaking stops. Whether it is shown is the user's choice (shakingNotice::wanted). A
// notification the user dismisses stays away until shaking starts again.
class ShakingNotification : public QObject {
    Q_OBJECT

  public:
    ShakingNotification(AppDelegate& delegate, RemoteControl& control, bool trayless);
    ~ShakingNotification() override;

    // Follows the state now, and at each refresh of the menu.
    void start(QDBusConnection bus);

  private slots:
    void onActionInvoked(uint id, const QString& action);
    void onClosed(uint id, uint reason);

  private:
    void update();
    void show(const QString& body);
    void withdraw();

    AppDelegate& delegate_;
    RemoteControl& control_;
    bool trayless_;
    QDBusConnection bus_{QStringLiteral("none")};
    uint id_ = 0;
    QString shownBody_;
    bool dismissed_ = false;
    bool started_ = false;
};

} // namespace wigglet
