#pragma once

#include "platform/HotKeyService.h"

#include <QDBusConnection>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace wigglet::desktop {

class KGlobalAccelSignals;

// The global shortcut on KDE Plasma: one action of Wigglet's own component in kglobalaccel,
// so that it shows, and can be changed, in System Settings. The key Wigglet stores is set
// at each registration; whichever key the action has, its press is Wigglet's hot key.
class KGlobalAccelHotKeyService : public HotKeyService {
  public:
    static constexpr std::int32_t refused = -9879;
    static const QString service;
    static const QString action;

    static bool offeredOn(const QDBusConnection& bus);
    explicit KGlobalAccelHotKeyService(QDBusConnection bus);
    ~KGlobalAccelHotKeyService() override;

    // [component, action, component's friendly name, action's friendly name].
    static QStringList actionId();

  protected:
    std::int32_t doRegister(std::uint32_t keyCode, std::uint32_t carbonModifiers,
                            HotKeyID id) override;
    void doUnregister(HotKeyID id) override;

  private:
    bool listen();
    void received(const QString& name, bool pressed);

    QDBusConnection bus_;
    std::unique_ptr<KGlobalAccelSignals> signals_;
    QString componentPath_;
    std::optional<HotKeyID> registered_;
};

} // namespace wigglet::desktop
