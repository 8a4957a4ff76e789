#include "support/HeadlessCompositor.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <pwd.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace wigglet::testing {

namespace {

constexpr auto startTimeout = std::chrono::seconds(20);

bool onPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string paths = path ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= paths.size()) {
        const std::size_t end = paths.find(':', start);
        const std::string dir = paths.substr(start, end - start);
        if (::access((dir + "/" + program).c_str(), X_OK) == 0)
            return true;
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return false;
}

pid_t spawn(const std::vector<std::string>& argv, const std::string& log) {
    const pid_t pid = ::fork();
    if (pid != 0)
        return pid;
    ::setpgid(0, 0);
    std::FILE* out = std::fopen(log.c_str(), "w");
    if (out) {
        ::dup2(::fileno(out), STDOUT_FILENO);
        ::dup2(::fileno(out), STDERR_FILENO);
    }
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    ::execvp(args[0], args.data());
    ::_exit(127);
}

} // namespace

std::unique_ptr<HeadlessCompositor> HeadlessCompositor::start(Kind kind, std::string& whyNot) {
    const std::string program = kind == Kind::Sway ? "sway" : "weston";
    if (!onPath(program)) {
        whyNot = program + " is not installed (scripts/deps.sh installs it)";
        return nullptr;
    }
    char pattern[] = "/tmp/wigglet-wayland-XXXXXX";
    if (!::mkdtemp(pattern)) {
        whyNot = "cannot make a runtime folder";
        return nullptr;
    }
    const std::string folder = pattern;
    std::vector<std::string> argv;
    std::string socket;
    if (kind == Kind::Sway) {
        const passwd* nobody = ::getpwnam("nobody");
        if (!nobody || ::chown(folder.c_str(), nobody->pw_uid, nobody->pw_gid) != 0) {
            whyNot = "cannot hand the runtime folder to nobody";
            return nullptr;
        }
        std::ofstream(folder + "/sway.conf")
            << "output HEADLESS-1 resolution 1920x1080 position 0 0\n"
               "xwayland disable\n"
               "default_border none\n";
        socket = folder + "/wayland-1";
        argv = {"setpriv",
                "--reuid=nobody",
                "--regid=nogroup",
                "--clear-groups",
                "env",
                "-i",
                "PATH=/usr/bin:/bin",
                "XDG_RUNTIME_DIR=" + folder,
                "HOME=" + folder,
                "WLR_BACKENDS=headless",
                "WLR_LIBINPUT_NO_DEVICES=1",
                "WLR_RENDERER=pixman",
                "sway",
                "-c",
                folder + "/sway.conf"};
    } else {
        socket = folder + "/wl-w";
        argv = {"env",           "XDG_RUNTIME_DIR=" + folder,
                "weston",        "--backend=headless-backend.so",
                "--socket=wl-w", "--width=1920",
                "--height=1080", "--idle-time=0"};
    }
    const pid_t pid = spawn(argv, folder + "/log");
    auto compositor =
        std::unique_ptr<HeadlessCompositor>(new HeadlessCompositor(pid, folder, socket));
    const auto deadline = std::chrono::steady_clock::now() + startTimeout;
    while (!std::filesystem::exists(socket)) {
        int status = 0;
        if (::waitpid(pid, &status, WNOHANG) == pid ||
            std::chrono::steady_clock::now() > deadline) {
            compositor->pid_ = -1;
            whyNot = program + " did not start; see " + folder + "/log";
            return nullptr;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return compositor;
}

HeadlessCompositor::~HeadlessCompositor() {
    if (pid_ > 0) {
        ::kill(-pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
}

} // namespace wigglet::testing
