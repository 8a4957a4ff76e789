#pragma once

#include <memory>
#include <string>
#include <sys/types.h>
#include <vector>

namespace wigglet::testing {

// A Wayland compositor of the test's own, headless, with one 1920x1080 output. sway refuses
// to run as root, so it runs as nobody in a runtime folder of its own; the test connects to
// its socket by absolute path. KWin runs on a session bus of its own, and offers fake input
// to this test program, and to the trusted programs, through desktop entries that name them,
// as it would to the installed Wigglet. mutter runs on a session bus of its own too, or on the
// one it is given, where it serves GNOME's idle monitor and remote-desktop interface.
class HeadlessCompositor {
  public:
    enum class Kind { Sway, Weston, KWin, Mutter };

    // Absent, with the reason in whyNot, when the compositor is missing or does not start.
    // `busAddress`: the session bus mutter joins; empty for one of its own.
    static std::unique_ptr<HeadlessCompositor> start(Kind kind, std::string& whyNot,
                                                     const std::vector<std::string>& trusted = {},
                                                     const std::string& busAddress = {});
    ~HeadlessCompositor();
    HeadlessCompositor(const HeadlessCompositor&) = delete;
    HeadlessCompositor& operator=(const HeadlessCompositor&) = delete;

    // The absolute path of the compositor's socket, for WAYLAND_DISPLAY.
    const std::string& socket() const { return socket_; }
    // Where sway answers its IPC, for SWAYSOCK, as sway's own clients see it.
    std::string swayIpcSocket() const { return folder_ + "/sway-ipc.sock"; }
    // KWin's and mutter's session bus; empty for the others.
    const std::string& busAddress() const { return busAddress_; }

  private:
    HeadlessCompositor(pid_t pid, std::string folder, std::string socket)
        : pid_(pid), folder_(std::move(folder)), socket_(std::move(socket)) {}
    static std::unique_ptr<HeadlessCompositor>
    startKWin(const std::string& folder, std::string& whyNot, std::vector<std::string> trusted);
    static std::unique_ptr<HeadlessCompositor>
    startMutter(const std::string& folder, std::string& whyNot, const std::string& busAddress);
    bool startBus(const std::vector<std::string>& environment, std::string& whyNot);
    bool waitForSocket(const std::string& program, std::string& whyNot);

    pid_t pid_;
    pid_t busPid_ = -1;
    std::string busAddress_;
    std::string folder_;
    std::string socket_;
};

} // namespace wigglet::testing
