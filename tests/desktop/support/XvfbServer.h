#pragma once

#include "support/ChildProcess.h"

#include <memory>
#include <string>
#include <vector>

namespace wigglet::testing {

// A private X server for one test: Xvfb on the first free display number, with the
// extensions a desktop session has (XTEST, MIT-SCREEN-SAVER, RANDR).
class XvfbServer {
  public:
    static constexpr int width = 1280;
    static constexpr int height = 800;

    // Absent, with the reason in whyNot, when Xvfb is missing or does not start. Extra
    // arguments go to the server (-extension XTEST leaves that extension out).
    static std::unique_ptr<XvfbServer> start(std::string& whyNot,
                                             const std::vector<std::string>& extra = {}) {
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

    const std::string& displayName() const { return displayName_; }

  private:
    XvfbServer(std::unique_ptr<ChildProcess> process, std::string displayName)
        : process_(std::move(process)), displayName_(std::move(displayName)) {}

    std::unique_ptr<ChildProcess> process_;
    std::string displayName_;
};

} // namespace wigglet::testing
