#include "system/LegacyUserActivity.h"

#include "platform/Platform.h"
#include "platform/PowerManagement.h"

namespace wigglet {

void LegacyUserActivity::maintain() {
    Platform::current().power().declareUserActivity();
}

} // namespace wigglet
