#include "system/NapperManager.h"

#include "platform/Platform.h"

namespace wigglet {

NapperManager& NapperManager::shared() {
    return Platform::current().shared<NapperManager>();
}

void NapperManager::startKeepAlive() {
    if (isHeld())
        return;
    const AssertionResult result =
        Platform::current().power().createAssertion(preventUserIdleDisplaySleep, reason);
    keepAliveState = result.result;
    keepAliveID = result.id;
}

void NapperManager::stopKeepAlive() {
    if (!isHeld())
        return;
    Platform::current().power().releaseAssertion(keepAliveID);
    keepAliveState = kIOReturnAborted;
}

} // namespace wigglet
