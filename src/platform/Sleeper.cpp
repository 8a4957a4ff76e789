#include "platform/Sleeper.h"

#include "platform/Platform.h"

namespace wigglet {

void Sleeper::sleepMicroseconds(std::uint32_t microseconds) {
    if (Platform::isInstalled() && Platform::current().trace().sleepsEnabled())
        recordTrace("sleep", {{"us", microseconds}});
    doSleep(microseconds);
}

} // namespace wigglet
