#pragma once

#include "platform/HotKeyService.h"

#include <QDBusConnection>
#include <QString>
#include <QVariantList>
#include <QVariantMap>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QObject;

namespace wigglet::desktop {

class BusSignalListener;

// The global shortcut through the desktop portal's GlobalShortcuts interface (GNOME 48 and
// later, KDE, Hyprland): one session with one shortcut, "toggle", bound with Wigglet's keys as
// the preferred trigger. The desktop may ask the user and may choose other keys; whichever it
// binds, its activation is Wigglet's hot key. A new registration binds on a new session.
class GlobalShortcutsPortal final : public HotKeyService {
  public:
    static constexpr const char* service = "org.freedesktop.portal.Desktop";
    static constexpr const char* objectPath = "/org/freedesktop/portal/desktop";
    static constexpr const char* interface = "org.freedesktop.portal.GlobalShortcuts";
    static constexpr const char* shortcutId = "toggle";
    static constexpr std::int32_t refused = -9879;

    // Whether the bus has the portal and it offers the interface (its version property).
    static bool offeredOn(const QDBusConnection& bus);

    explicit GlobalShortcutsPortal(QDBusConnection bus);
    ~GlobalShortcutsPortal() override;
    GlobalShortcutsPortal(const GlobalShortcutsPortal&) = delete;
    GlobalShortcutsPortal& operator=(const GlobalShortcutsPortal&) = delete;

    // The shortcut as the portal writes triggers: modifiers, then the key, "ALT+LOGO+s".
    static std::optional<std::string> triggerFor(std::uint32_t keyCode,
                                                 std::uint32_t carbonModifiers);
    // Whether the portal has answered BindShortcuts with success for the current session.
    bool isBound() const { return bound_; }

  protected:
    std::int32_t doRegister(std::uint32_t keyCode, std::uint32_t carbonModifiers,
                            HotKeyID id) override;
    void doUnregister(HotKeyID id) override;

  private:
    using Answer = std::function<void(const QVariantMap& results)>;

    void request(const QString& method, QVariantList arguments, QVariantMap options, Answer then);
    void listenForResponse(const QString& path, Answer then);
    void created(const QVariantMap& results);
    void received(const QDBusMessage& signal, bool pressed);
    void closeSession();
    QString requestPath(const QString& token) const;

    QDBusConnection bus_;
    std::optional<HotKeyID> registered_;
    QString trigger_;
    QString session_;
    bool bound_ = false;
    // Answers to an earlier session's requests are ignored.
    int attempt_ = 0;
    // Parent of the listeners and pending calls: they go with this object.
    std::unique_ptr<QObject> context_;
};

} // namespace wigglet::desktop
