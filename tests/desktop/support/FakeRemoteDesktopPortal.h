#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusObjectPath>
#include <QObject>
#include <QVariantMap>
#include <mutex>
#include <ostream>
#include <vector>

namespace wigglet::testing {

// The desktop portal's Remote Desktop interface: each CreateSession, SelectDevices and Start
// answers through a Response signal on the request path the caller predicts, and the Notify
// calls are recorded. Start's answer can be chosen, or held until the test lets it go.
class FakeRemoteDesktopPortal : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.RemoteDesktop")
    Q_PROPERTY(uint version READ version)
    Q_PROPERTY(uint AvailableDeviceTypes READ availableDeviceTypes)

  public:
    struct Call {
        QString method;
        QVariantMap options;
    };
    // A Notify call: its name and the values after the session and options.
    struct Notification {
        QString method;
        QVariantList values;
        bool operator==(const Notification&) const = default;
    };

    explicit FakeRemoteDesktopPortal(uint version) : version_(version) {}

    uint version() const { return version_; }
    uint availableDeviceTypes() const { return 3; }

    // What Start answers from now on: the response code and the restore token it hands out.
    void answerStartWith(uint response, const QString& restoreToken);
    // Start's answers wait until answerHeldStart().
    void holdStart() {
        const std::lock_guard lock(mutex_);
        holding_ = true;
    }
    void answerHeldStart();
    // The desktop ends the last session, as at a screen lock.
    void closeSession();

    std::vector<Call> calls() const;
    std::vector<Notification> notifications() const;

  public slots:
    QDBusObjectPath CreateSession(const QVariantMap& options);
    QDBusObjectPath SelectDevices(const QDBusObjectPath& session, const QVariantMap& options);
    QDBusObjectPath Start(const QDBusObjectPath& session, const QString& parentWindow,
                          const QVariantMap& options);
    void NotifyPointerMotion(const QDBusObjectPath& session, const QVariantMap& options, double dx,
                             double dy);
    void NotifyPointerButton(const QDBusObjectPath& session, const QVariantMap& options, int button,
                             uint state);
    void NotifyPointerAxisDiscrete(const QDBusObjectPath& session, const QVariantMap& options,
                                   uint axis, int steps);
    void NotifyKeyboardKeycode(const QDBusObjectPath& session, const QVariantMap& options,
                               int keycode, uint state);

  private:
    // Records the call and answers it on the request path; Start as the test chose.
    QDBusObjectPath request(const QString& method, const QVariantMap& options, uint response,
                            QVariantMap results);
    // With the lock held.
    QVariantMap startResults() const;
    QString pathFor(const char* kind, const QString& token) const;
    void record(const QString& method, const QVariantList& values);

    const uint version_;
    mutable std::mutex mutex_;
    std::vector<Call> calls_;
    std::vector<Notification> notifications_;
    uint startResponse_ = 0;
    QString restoreToken_;
    bool holding_ = false;
    QString heldRequest_;
    QString session_;
    QDBusConnection connection_{QString()};
};

// How a test failure shows a Notify call.
void PrintTo(const FakeRemoteDesktopPortal::Notification& notification, std::ostream* out);

} // namespace wigglet::testing
