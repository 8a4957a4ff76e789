#include "ui/InfosList.h"

#include "platform/Platform.h"
#include "platform/SystemInfo.h"

namespace wigglet {

std::string InfosList::version() {
    return Platform::current().system().bundleValue("CFBundleShortVersionString").value_or("1.x");
}

} // namespace wigglet
