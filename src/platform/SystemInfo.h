#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace wigglet {

struct OSVersion {
    int major = 14;
    int minor = 0;
    int patch = 0;
    bool atLeast(int maj, int min = 0) const {
        return major > maj || (major == maj && minor >= min);
    }
};

enum class LogLevel { Debug, Info, Error };

// How shortcuts are written on screen: "Alt+Super+S" on desktops, "⌥⌘S" in symbols.
enum class ShortcutStyle { Words, Symbols };
// A window's title names the application ("Wigglet Preferences"), or is its menu item's.
enum class WindowTitleStyle { Application, MenuItem };

// The settings that choose the language of messages, as the session sets them (LANGUAGE,
// LC_ALL, LC_MESSAGES, LANG); empty when unset.
struct LocaleVariables {
    std::string language;
    std::string all;
    std::string messages;
    std::string lang;
};

class SystemInfo {
  public:
    virtual ~SystemInfo() = default;
    virtual OSVersion operatingSystemVersion() = 0;
    // Bundle values such as "CFBundleShortVersionString" and "CFBundleIdentifier".
    virtual std::optional<std::string> bundleValue(std::string_view key) = 0;
    virtual ShortcutStyle shortcutStyle() { return ShortcutStyle::Words; }
    virtual WindowTitleStyle windowTitleStyle() { return WindowTitleStyle::Application; }
    // None unless the platform reads the user's: the texts are then English, as in the
    // scenarios, whatever the machine's locale.
    virtual LocaleVariables localeVariables() { return {}; }
    // The system log; traced here.
    void log(LogLevel level, std::string_view text);

  protected:
    virtual void doLog(LogLevel level, std::string_view text) = 0;
};

} // namespace wigglet
