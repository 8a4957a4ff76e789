#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wigglet {

// Whether Wigglet starts at login. The system's login-item registry is the only record: every
// read asks it afresh and nothing is cached. From system version 13 the application itself is
// the login item; before, a helper named after the bundle identifier is.
class LaunchAtLogin {
  public:
    static constexpr std::string_view kHelperSuffix = "-LaunchAtLoginHelper";

    // The observable face of isEnabled that a checkbox binds to. Observers hear "isEnabled"
    // will change and did change around every write, so a bound control reads it again after.
    class KVO {
      public:
        enum class Change { WillChange, DidChange };
        using Observer = std::function<void(std::string_view key, Change change)>;

        // The observer stays registered for as long as the returned handle lives.
        [[nodiscard]] std::shared_ptr<Observer> addObserver(Observer observer);

        bool isEnabled() const;
        void setEnabled(bool enabled);

      private:
        friend class LaunchAtLogin;
        void notify(Change change);

        std::vector<std::weak_ptr<Observer>> observers_;
        std::optional<std::string> helperIdentifier_;
    };

    // The one observable instance, created on first use.
    static KVO& kvo();

    static bool isEnabled();
    static void setEnabled(bool enabled);

    // The bundle identifier followed by the helper suffix, built once per process.
    static const std::string& helperIdentifier();

  private:
    static bool usesMainAppService();
    static bool helperJobEnabled();
    static void setMainAppRegistered(bool enabled);
};

} // namespace wigglet
