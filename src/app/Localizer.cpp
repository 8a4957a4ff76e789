#include "app/Localizer.h"

#include "platform/Platform.h"

namespace wigglet {

Localizer& Localizer::shared() {
    return Platform::current().shared<Localizer>();
}

std::string Localizer::string(std::string_view key) const {
    return std::string(key);
}

std::string localized(std::string_view key) {
    return Localizer::shared().string(key);
}

} // namespace wigglet
