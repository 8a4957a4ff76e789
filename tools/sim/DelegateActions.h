#pragma once

#include "Verb.h"

namespace wigglet {
class AppDelegate;
}

namespace wigglet::sim {

// The application-delegate actions that `action NAME [ARG]` runs directly.
Problem checkDelegateAction(const Command& command);
// The command has passed the check.
void runDelegateAction(AppDelegate& delegate, const Command& command);

} // namespace wigglet::sim
