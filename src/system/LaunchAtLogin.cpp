#include "system/LaunchAtLogin.h"

namespace wigglet {

bool LaunchAtLogin::isEnabled() {
    return false;
}

void LaunchAtLogin::setEnabled(bool) {}

} // namespace wigglet
