#include "foundation/PrefBroadcaster.h"

#include "foundation/NotificationCenter.h"
#include "platform/Platform.h"

namespace wigglet {

PrefBroadcaster& PrefBroadcaster::shared() {
    return Platform::current().shared<PrefBroadcaster>();
}

void PrefBroadcaster::broadcast() {
    NotificationCenter::defaultCenter().post(preferencesUpdatedName, this);
}

} // namespace wigglet
