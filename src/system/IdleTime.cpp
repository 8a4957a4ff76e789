#include "system/IdleTime.h"

#include "platform/EventSource.h"
#include "platform/Platform.h"

namespace wigglet {

double secondsSinceLastInput() {
    return Platform::current().events().secondsSinceLastInput();
}

} // namespace wigglet
