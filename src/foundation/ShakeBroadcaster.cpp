#include "foundation/ShakeBroadcaster.h"

#include "foundation/NotificationCenter.h"
#include "platform/Platform.h"

namespace wigglet {

ShakeBroadcaster& ShakeBroadcaster::shared() {
    return Platform::current().shared<ShakeBroadcaster>();
}

void ShakeBroadcaster::broadcastShakeChanged(bool value) {
    NotificationCenter::defaultCenter().post(shakeChangedName, this, {{stateKey, value}});
}

void ShakeBroadcaster::broadcastInterrupted() {
    NotificationCenter::defaultCenter().post(interruptedName, this);
}

void ShakeBroadcaster::broadcastInterruptedByUser() {
    NotificationCenter::defaultCenter().post(interruptedByUserName, this);
}

} // namespace wigglet
