#pragma once

#include <string>

namespace wigglet {

// The program's version text for the About window and the feedback e-mail.
class InfosList {
  public:
    // The bundle's short version string, or "1.x" when there is none.
    static std::string version();
};

} // namespace wigglet
