#pragma once

#include <string>

namespace wigglet {

// Hands URLs and e-mails to the desktop.
class Workspace {
  public:
    virtual ~Workspace() = default;
    // False when the text is not a URL the desktop can open.
    bool openUrl(const std::string& url);
    void composeMail(const std::string& to, const std::string& subject, const std::string& body);
    virtual void checkForUpdates() = 0;
    // Whether some application handles the URL's scheme.
    virtual bool canOpen(const std::string& /*url*/) { return true; }

  protected:
    virtual bool doOpenUrl(const std::string& url) = 0;
    virtual void doComposeMail(const std::string& to, const std::string& subject,
                               const std::string& body) = 0;
};

} // namespace wigglet
