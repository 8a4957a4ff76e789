#include "ui/AuthorizeWindowController.h"

#include "ui/AuthorizeViewController.h"

#include <QWidget>

namespace wigglet {

AuthorizeWindowController::AuthorizeWindowController(std::unique_ptr<QWidget> window)
    : WindowController(std::move(window), Lifetime::Kept),
      content_(new AuthorizeViewController(this->window())) {}

std::unique_ptr<AuthorizeWindowController> AuthorizeWindowController::instantiate() {
    auto window = loadWindow("Main", "authorizeWindowID", "AuthorizeWindowController");
    if (!window)
        return nullptr;
    return std::unique_ptr<AuthorizeWindowController>(
        new AuthorizeWindowController(std::move(window)));
}

} // namespace wigglet
