#include "ui/HelpWindowController.h"

#include "ui/HelpViewController.h"

#include <QWidget>

namespace wigglet {

HelpWindowController::HelpWindowController(std::unique_ptr<QWidget> window)
    : WindowController(std::move(window), Lifetime::Kept),
      content_(new HelpViewController(this->window())) {}

std::unique_ptr<HelpWindowController> HelpWindowController::instantiate() {
    auto window = loadWindow("Main", "helpWindowID", "HelpWindowController");
    if (!window)
        return nullptr;
    return std::unique_ptr<HelpWindowController>(new HelpWindowController(std::move(window)));
}

} // namespace wigglet
