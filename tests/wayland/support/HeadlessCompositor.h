#pragma once

#include <memory>
#include <string>
#include <sys/types.h>

namespace wigglet::testing {

// A Wayland compositor of the test's own, headless, with one 1920x1080 output. sway refuses
// to run as root, so it runs as nobody in a runtime folder of its own; the test connects to
// its socket by absolute path.
class HeadlessCompositor {
  public:
    enum class Kind { Sway, Weston };

    // Absent, with the reason in whyNot, when the compositor is missing or does not start.
    static std::unique_ptr<HeadlessCompositor> start(Kind kind, std::string& whyNot);
    ~HeadlessCompositor();
    HeadlessCompositor(const HeadlessCompositor&) = delete;
    HeadlessCompositor& operator=(const HeadlessCompositor&) = delete;

    // The absolute path of the compositor's socket, for WAYLAND_DISPLAY.
    const std::string& socket() const { return socket_; }

  private:
    HeadlessCompositor(pid_t pid, std::string folder, std::string socket)
        : pid_(pid), folder_(std::move(folder)), socket_(std::move(socket)) {}

    pid_t pid_;
    std::string folder_;
    std::string socket_;
};

} // namespace wigglet::testing
