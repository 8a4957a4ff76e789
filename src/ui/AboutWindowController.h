#pragma once

#include "ui/WindowController.h"

namespace wigglet {

class AboutViewController;

// The About window: version and copyright. A new one is made each time it is asked for; it
// goes away when closed.
class AboutWindowController final : public WindowController {
    Q_OBJECT

  public:
    // None when the layout has no About window.
    static AboutWindowController* instantiate();

    AboutViewController* contentViewController() const { return content_; }

  private:
    explicit AboutWindowController(std::unique_ptr<QWidget> window);

    AboutViewController* content_;
};

} // namespace wigglet
