#pragma once

#include "platform/LoginItems.h"

#include <filesystem>
#include <vector>

namespace wigglet::desktop {

class DesktopEntry;

// Launch at login as an XDG autostart entry, $XDG_CONFIG_HOME/autostart/<application id>.desktop.
// An entry of the older name wigglet.desktop counts too and is retired on the next change; an
// entry that the system installs (in $XDG_CONFIG_DIRS) is overridden with a hidden user entry.
// The job list of the older mechanism does not exist here.
class XdgAutostartLoginItems : public LoginItems {
  public:
    struct Folders {
        std::filesystem::path configHome;
        std::vector<std::filesystem::path> configDirs;
    };
    // The folders the session reads, from the XDG environment variables and their defaults.
    static Folders sessionFolders();

    explicit XdgAutostartLoginItems(std::string executable, Folders folders = sessionFolders());

    int mainAppStatus() override;
    std::optional<std::vector<LoginJob>> copyAllJobDictionaries() override { return std::nullopt; }

  protected:
    std::optional<std::string> doRegisterMainApp() override;
    std::optional<std::string> doUnregisterMainApp() override;
    bool doSetLoginItemEnabled(const std::string&, bool) override { return false; }

  private:
    std::filesystem::path userEntryPath(const std::string& fileName) const;
    std::optional<DesktopEntry> systemEntry(const std::string& fileName) const;
    bool startsAtLogin(const std::string& fileName) const;
    std::optional<std::string> stopStarting(const std::string& fileName);
    std::optional<std::string> writeEntry(const std::string& fileName, const DesktopEntry& entry);

    std::string executable_;
    Folders folders_;
};

} // namespace wigglet::desktop
