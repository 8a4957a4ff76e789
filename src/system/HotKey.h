#pragma once

#include "system/KeyCombo.h"

#include <functional>
#include <string>

namespace wigglet {

// One active global shortcut. Registers itself with HotKeysController on construction and
// unregisters when released; the registry runs its callbacks when the combination is pressed
// or released.
class HotKey {
  public:
    using Handler = std::function<void()>;

    explicit HotKey(KeyCombo keyCombo, Handler keyDownHandler = {}, Handler keyUpHandler = {});
    ~HotKey();
    HotKey(const HotKey&) = delete;
    HotKey& operator=(const HotKey&) = delete;

    // A fresh UUID; ties the object to its registry entry.
    const std::string identifier;
    const KeyCombo keyCombo;
    Handler keyDownHandler;
    Handler keyUpHandler;
};

} // namespace wigglet
