#pragma once

#include "ui/WindowController.h"

namespace wigglet {

class HelpViewController;

// The Help window, made once and kept; its main label reads what the caller last set.
class HelpWindowController final : public WindowController {
    Q_OBJECT

  public:
    // None when the layout has no Help window.
    static std::unique_ptr<HelpWindowController> instantiate();

    HelpViewController* contentViewController() const { return content_; }

  private:
    explicit HelpWindowController(std::unique_ptr<QWidget> window);

    HelpViewController* content_;
};

} // namespace wigglet
