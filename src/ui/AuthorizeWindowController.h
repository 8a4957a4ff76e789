#pragma once

#include "ui/WindowController.h"

namespace wigglet {

class AuthorizeViewController;

// The window that asks for the input-synthesis permission, made once and kept.
class AuthorizeWindowController final : public WindowController {
    Q_OBJECT

  public:
    // None when the layout has no Authorize window.
    static std::unique_ptr<AuthorizeWindowController> instantiate();

    AuthorizeViewController* contentViewController() const { return content_; }

  private:
    explicit AuthorizeWindowController(std::unique_ptr<QWidget> window);

    AuthorizeViewController* content_;
};

} // namespace wigglet
