#pragma once

#include "system/KeyCombo.h"

#include <functional>
#include <string>

namespace wigglet {

// One active global shortcut. Registers itself on construction and unregisters when released.
class HotKey {
  public:
    using Handler = std::function<void()>;

    HotKey(KeyCombo keyCombo, Handler keyDownHandler = {}, Handler keyUpHandler = {});
    ~HotKey();
    HotKey(const HotKey&) = delete;
    HotKey& operator=(const HotKey&) = delete;

    std::string identifier;
    KeyCombo keyCombo;
    Handler keyDownHandler;
    Handler keyUpHandler;
};

} // namespace wigglet
