#include "system/HotKey.h"

namespace wigglet {

HotKey::HotKey(KeyCombo combo, Handler down, Handler up)
    : keyCombo(combo), keyDownHandler(std::move(down)), keyUpHandler(std::move(up)) {}

HotKey::~HotKey() = default;

} // namespace wigglet
