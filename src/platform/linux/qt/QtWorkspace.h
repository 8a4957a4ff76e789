#pragma once

#include "platform/Workspace.h"

#include <string>

namespace wigglet::desktop {

// Hands URLs and e-mails to the desktop's default applications (xdg-open through Qt). There is
// no updater on Linux: checking for updates opens the software centre's page.
class QtWorkspace : public Workspace {
  public:
    explicit QtWorkspace(std::string releasesPage) : releasesPage_(std::move(releasesPage)) {}

    void checkForUpdates() override;
    // Web and mail addresses always; other schemes when a desktop entry declares a handler
    // (x-scheme-handler/SCHEME in mimeapps.list or the desktop database's mimeinfo.cache).
    bool canOpen(const std::string& url) override;

  protected:
    bool doOpenUrl(const std::string& url) override;
    void doComposeMail(const std::string& to, const std::string& subject,
                       const std::string& body) override;

  private:
    std::string releasesPage_;
};

} // namespace wigglet::desktop
