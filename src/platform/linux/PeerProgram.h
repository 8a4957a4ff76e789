#pragma once

#include <string>

namespace wigglet::desktop {

// The name of the program at the other end of a local socket (the display server or
// compositor of a connection), or empty when the system does not tell.
std::string peerProgram(int socket);

} // namespace wigglet::desktop
