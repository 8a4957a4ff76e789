#include "platform/sim/SimWorkspace.h"

namespace wigglet::sim {

bool SimWorkspace::doOpenUrl(const std::string& url) {
    return url.find("://") != std::string::npos || url.rfind("mailto:", 0) == 0;
}

} // namespace wigglet::sim
