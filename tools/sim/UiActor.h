#pragma once

#include "Verb.h"
#include "platform/KeyDown.h"

#include <string>

namespace wigglet::sim {

// The user at work on the interface: opens and clicks the menu, works the preferences
// window's controls, types keys and clicks at the pointer. The user acts the way a person
// would: a hidden or disabled control cannot be used, and doing so changes nothing.
class UiActor {
  public:
    virtual ~UiActor() = default;

    // The menu is about to open, so it refreshes.
    virtual Problem openMenu() = 0;
    virtual Problem clickMenu(const std::string& titlePath) = 0;
    virtual Problem openPrefs() = 0;
    virtual Problem selectPane(const std::string& name) = 0;
    virtual Problem choose(const std::string& control, const std::string& indexOrTitle) = 0;
    virtual Problem check(const std::string& control, bool on) = 0;
    virtual Problem press(const std::string& control) = 0;
    virtual Problem key(const KeyDown& keyDown) = 0;
    virtual Problem clickAtPointer() = 0;
    virtual Problem closeWindow(const std::string& id) = 0;
    virtual Problem pressInWindow(const std::string& id, const std::string& control) = 0;
    virtual Problem chooseInWindow(const std::string& id, const std::string& control,
                                   const std::string& indexOrTitle) = 0;
};

} // namespace wigglet::sim
