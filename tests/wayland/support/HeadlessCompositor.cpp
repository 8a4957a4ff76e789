#include "support/HeadlessCompositor.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <pwd.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace wigglet::testing {

namespace {

constexpr auto startTimeout = std::chrono::seconds(20);

bool onPath(const std::string& program) {
    std::istringstream paths(std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin:/bin");
    for (std::string dir; std::getline(paths, dir, ':');)
        if (::access((dir + "/" + program).c_str(), X_OK) == 0)
            return true;
    return false;
}

bool waitForFile(const std::string& path, pid_t pid) {
    const auto deadline = std::chrono::steady_clock::now() + startTimeout;
    while (!std::filesystem::exists(path)) {
        int status = 0;
        if (::waitpid(pid, &status, WNOHANG) == pid || std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

// The words of a command line; the runtime folders it names hold no blanks.
std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

std::string selfPath() {
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error).string();
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

std::unique_ptr<HeadlessCompositor>
HeadlessCompositor::start(Kind kind, std::string& whyNot, const std::vector<std::string>& trusted,
                          const std::string& busAddress) {
    const std::string program = kind == Kind::Sway     ? "sway"
                                : kind == Kind::Weston ? "weston"
                                : kind == Kind::Mutter ? "mutter"
                                                       : "kwin_wayland";
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
    if (kind == Kind::KWin)
        return startKWin(folder, whyNot, trusted);
    if (kind == Kind::Mutter)
        return startMutter(folder, whyNot, busAddress);
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
        argv = words("setpriv --reuid=nobody --regid=nogroup --clear-groups env -i "
                     "PATH=/usr/bin:/bin XDG_RUNTIME_DIR=" +
                     folder + " SWAYSOCK=" + folder + "/sway-ipc.sock HOME=" + folder +
                     " WLR_BACKENDS=headless "
                     "WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman sway -c " +
                     folder + "/sway.conf");
    } else {
        socket = folder + "/wl-w";
        argv = words("env XDG_RUNTIME_DIR=" + folder +
                     " weston --backend=headless-backend.so "
                     "--socket=wl-w --width=1920 --height=1080 --idle-time=0");
    }
    const pid_t pid = spawn(argv, folder + "/log");
    auto compositor =
        std::unique_ptr<HeadlessCompositor>(new HeadlessCompositor(pid, folder, socket));
    if (!compositor->waitForSocket(program, whyNot))
        return nullptr;
    return compositor;
}

// The session bus first, then the service cache built from desktop entries that name the
// trusted programs (KWin reads the cache, not the folder), then KWin in the same environment. The
// installed kwin_wayland carries a file capability that a container cannot grant, so a plain
// copy runs, under the same file name, which KWin checks.
std::unique_ptr<HeadlessCompositor>
HeadlessCompositor::startKWin(const std::string& folder, std::string& whyNot,
                              std::vector<std::string> trusted) {
    std::filesystem::create_directories(folder + "/share/applications");
    std::filesystem::create_directories(folder + "/bin");
    trusted.push_back(selfPath());
    for (std::size_t i = 0; i < trusted.size(); ++i)
        std::ofstream(folder + "/share/applications/org.wigglet.Trusted" + std::to_string(i) +
                      ".desktop")
            << "[Desktop Entry]\nType=Application\nName=Trusted\nExec=" << trusted[i]
            << "\nX-KDE-Wayland-Interfaces=org_kde_kwin_fake_input\n";
    std::error_code error;
    std::filesystem::copy_file("/usr/bin/kwin_wayland", folder + "/bin/kwin_wayland", error);
    if (error) {
        whyNot = "cannot copy kwin_wayland: " + error.message();
        return nullptr;
    }
    const std::string bus = "unix:path=" + folder + "/bus";
    const std::vector<std::string> environment =
        words("env -i PATH=/usr/bin:/bin XDG_RUNTIME_DIR=" + folder + " HOME=" + folder +
              " XDG_DATA_DIRS=" + folder + "/share:/usr/share XDG_CONFIG_HOME=" + folder +
              "/config XDG_CACHE_HOME=" + folder + "/cache DBUS_SESSION_BUS_ADDRESS=" + bus);
    const auto with = [&environment](const std::string& command) {
        std::vector<std::string> argv = environment;
        for (std::string& word : words(command))
            argv.push_back(std::move(word));
        return argv;
    };
    auto compositor = std::unique_ptr<HeadlessCompositor>(
        new HeadlessCompositor(-1, folder, folder + "/wl-kwin"));
    compositor->busAddress_ = bus;
    if (!compositor->startBus(environment, whyNot))
        return nullptr;
    int status = -1;
    const pid_t cache = spawn(with("kbuildsycoca5 --noincremental"), folder + "/sycoca.log");
    if (::waitpid(cache, &status, 0) != cache || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        whyNot = "kbuildsycoca5 failed; see " + folder + "/sycoca.log";
        compositor->folder_.clear();
        return nullptr;
    }
    compositor->pid_ =
        spawn(with(folder + "/bin/kwin_wayland --virtual --width 1920 --height 1080 --socket "
                            "wl-kwin --no-lockscreen --no-kactivities"),
              folder + "/log");
    if (!compositor->waitForSocket("kwin_wayland", whyNot))
        return nullptr;
    return compositor;
}

bool HeadlessCompositor::startBus(const std::vector<std::string>& environment,
                                  std::string& whyNot) {
    std::vector<std::string> argv = environment;
    for (const char* arg : {"dbus-daemon", "--session", "--nofork"})
        argv.emplace_back(arg);
    argv.push_back("--address=" + busAddress_);
    busPid_ = spawn(argv, folder_ + "/bus.log");
    if (waitForFile(folder_ + "/bus", busPid_))
        return true;
    whyNot = "dbus-daemon did not start; see " + folder_ + "/bus.log";
    folder_.clear();
    return false;
}

// Root may run mutter; its settings live in memory, so the machine's own stay out of it.
std::unique_ptr<HeadlessCompositor> HeadlessCompositor::startMutter(const std::string& folder,
                                                                    std::string& whyNot,
                                                                    const std::string& busAddress) {
    const std::string bus = busAddress.empty() ? "unix:path=" + folder + "/bus" : busAddress;
    const std::vector<std::string> environment =
        words("env -i PATH=/usr/bin:/bin XDG_RUNTIME_DIR=" + folder + " HOME=" + folder +
              " GSETTINGS_BACKEND=memory XDG_CONFIG_HOME=" + folder +
              "/config XDG_CACHE_HOME=" + folder + "/cache DBUS_SESSION_BUS_ADDRESS=" + bus);
    auto compositor = std::unique_ptr<HeadlessCompositor>(
        new HeadlessCompositor(-1, folder, folder + "/wl-mutter"));
    compositor->busAddress_ = bus;
    if (busAddress.empty() && !compositor->startBus(environment, whyNot))
        return nullptr;
    std::vector<std::string> argv = environment;
    for (const char* arg : {"mutter", "--headless", "--wayland", "--no-x11", "--virtual-monitor",
                            "1920x1080", "--wayland-display=wl-mutter"})
        argv.emplace_back(arg);
    compositor->pid_ = spawn(argv, folder + "/log");
    if (!compositor->waitForSocket("mutter", whyNot))
        return nullptr;
    return compositor;
}

bool HeadlessCompositor::waitForSocket(const std::string& program, std::string& whyNot) {
    if (waitForFile(socket_, pid_))
        return true;
    whyNot = program + " did not start; see " + folder_ + "/log";
    ::kill(-pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
    // The log stays for whoever reads the reason.
    folder_.clear();
    return false;
}

HeadlessCompositor::~HeadlessCompositor() {
    for (const pid_t pid : {pid_, busPid_}) {
        if (pid <= 0)
            continue;
        ::kill(-pid, SIGTERM);
        ::waitpid(pid, nullptr, 0);
    }
    std::error_code ignored;
    if (!folder_.empty())
        std::filesystem::remove_all(folder_, ignored);
}

} // namespace wigglet::testing
