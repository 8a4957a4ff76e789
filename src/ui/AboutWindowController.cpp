#include "ui/AboutWindowController.h"

#include "ui/AboutViewController.h"

#include <QWidget>

namespace wigglet {

AboutWindowController::AboutWindowController(std::unique_ptr<QWidget> window)
    : WindowController(std::move(window), Lifetime::EndsWithWindow),
      content_(new AboutViewController(this->window())) {}

AboutWindowController* AboutWindowController::instantiate() {
    auto window = loadWindow("Main", "aboutWindowID", "AboutWindowController");
    if (!window)
        return nullptr;
    return new AboutWindowController(std::move(window));
}

} // namespace wigglet
