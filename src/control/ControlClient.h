#pragma once

#include "control/CommandLine.h"

namespace wigglet {

// The script side of `wigglet shake|stop|toggle|status`: talks to the running Wigglet over the
// session bus. shake and toggle start it through D-Bus activation when it is not running;
// stop and status never start it.
class ControlClient {
  public:
    // The process exit status: 0 done, 1 no session bus or no answer, 3 not running (status).
    static int run(const CommandLine& line);
};

} // namespace wigglet
