#include "system/GlobalKeybindPreferences.h"

namespace wigglet {

GlobalKeybindPreferences GlobalKeybindPreferences::storedShortcut() {
    return {};
}

void GlobalKeybindPreferences::setStoredShortcut(const GlobalKeybindPreferences&) {}

std::string GlobalKeybindPreferences::description() const {
    return {};
}

std::uint64_t GlobalKeybindPreferences::modifierFlags() const {
    return 0;
}

} // namespace wigglet
