#include "support/XvfbServer.h"

namespace wigglet::testing {

std::unique_ptr<XvfbServer> XvfbServer::start(std::string& whyNot,
                                              const std::vector<std::string>& extra) {
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    std::vector<std::string> argv = {"Xvfb", "-displayfd", "1",   "-screen", "0",
                                     screen, "-nolisten",  "tcp", "-ac"};
    argv.insert(argv.end(), extra.begin(), extra.end());
    std::string display;
    auto process = ChildProcess::start(argv, display, whyNot);
    if (!process)
        return nullptr;
    return std::unique_ptr<XvfbServer>(new XvfbServer(std::move(process), ":" + display));
}

} // namespace wigglet::testing
