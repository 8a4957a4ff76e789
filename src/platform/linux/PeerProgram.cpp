#include "platform/linux/PeerProgram.h"

#include <fstream>
#include <sys/socket.h>

namespace wigglet::desktop {

std::string peerProgram(int socket) {
    ucred credentials{};
    socklen_t size = sizeof credentials;
    if (::getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0 ||
        credentials.pid <= 0)
        return {};
    std::ifstream comm("/proc/" + std::to_string(credentials.pid) + "/comm");
    std::string name;
    std::getline(comm, name);
    return name;
}

} // namespace wigglet::desktop
