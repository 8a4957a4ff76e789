#pragma once

#include "platform/Workspace.h"

#include <string>

namespace wigglet::desktop {

// Hands URLs and e-mails to the desktop's default applications (xdg-open through Qt). There is
// no updater on Linux: checking for updates opens the releases page.
class QtWorkspace : public Workspace {
  public:
    explicit QtWorkspace(std::string releasesPage) : releasesPage_(std::move(releasesPage)) {}

    void checkForUpdates() override;

  protected:
    bool doOpenUrl(const std::string& url) override;
    void doComposeMail(const std::string& to, const std::string& subject,
                       const std::string& body) override;

  private:
    std::string releasesPage_;
};

} // namespace wigglet::desktop
