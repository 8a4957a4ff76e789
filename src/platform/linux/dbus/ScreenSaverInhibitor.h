#pragma once

#include "platform/PowerManagement.h"

#include <QDBusConnection>
#include <map>
#include <optional>
#include <string>

namespace wigglet::desktop {

class ServerScreenSaver;

// Keeps the display awake through the two mechanisms a Linux desktop listens to: the session's
// org.freedesktop.ScreenSaver service (whose cookie becomes the assertion's id) and the
// display server's own screen saver and power-saving timers. Either one alone is enough for a
// held assertion. The process activity needs nothing on Linux beyond its token.
class ScreenSaverInhibitor : public PowerManagement {
  public:
    // How long an Inhibit call may hold up the main loop before the session bus is skipped.
    static constexpr int inhibitTimeoutMs = 1000;

    // The bus may be unconnected and the server's saver null; what is missing is skipped.
    ScreenSaverInhibitor(ServerScreenSaver* server, QDBusConnection bus);
    ~ScreenSaverInhibitor() override;

  protected:
    AssertionResult doCreateAssertion(const std::string& type, const std::string& name) override;
    void doReleaseAssertion(std::uint32_t id) override;
    ActivityToken doBeginActivity(std::uint64_t options, const std::string& reason) override;
    bool canDeclareUserActivity() override;
    void doDeclareUserActivity() override;

  private:
    struct Held {
        std::string name;
        std::string reason;
        std::optional<std::uint32_t> cookie;
    };

    // A session bus that went away and came back is joined again, and every held assertion
    // is inhibited anew there: the old cookies went with the old bus.
    void rejoinSessionBus();
    std::optional<std::uint32_t> inhibit(const std::string& name, const std::string& reason);
    void uninhibit(std::uint32_t cookie);
    std::uint32_t unusedId() const;

    ServerScreenSaver* server_;
    QDBusConnection bus_;
    // Held assertions by id, with the session's cookie where it gave one.
    std::map<std::uint32_t, Held> held_;
    bool wasConnected_ = false;
    int rejoins_ = 0;
};

} // namespace wigglet::desktop
