#include "support/ChildProcess.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace wigglet::testing {

namespace {

constexpr int readyTimeoutMs = 15000;

bool readLine(int fd, std::string& line) {
    line.clear();
    for (;;) {
        pollfd waiting{fd, POLLIN, 0};
        if (::poll(&waiting, 1, readyTimeoutMs) <= 0)
            return false;
        char c = 0;
        const ssize_t n = ::read(fd, &c, 1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        if (c == '\n')
            return true;
        line += c;
    }
}

} // namespace

bool ChildProcess::isInstalled(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::istringstream dirs(path ? path : "/usr/bin:/bin");
    for (std::string dir; std::getline(dirs, dir, ':');)
        if (!dir.empty() && ::access((dir + "/" + program).c_str(), X_OK) == 0)
            return true;
    return false;
}

std::unique_ptr<ChildProcess> ChildProcess::start(const std::vector<std::string>& argv,
                                                  std::string& firstLine, std::string& whyNot) {
    if (!isInstalled(argv.front())) {
        whyNot = argv.front() + " is not installed";
        return nullptr;
    }
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) {
        whyNot = "no pipe";
        return nullptr;
    }
    std::vector<char*> args;
    for (const auto& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    const int quiet = ::open("/dev/null", O_RDWR | O_CLOEXEC);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(ends[1], 3);
        ::dup2(quiet, 0);
        ::dup2(quiet, 1);
        ::dup2(quiet, 2);
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    ::close(ends[1]);
    ::close(quiet);
    if (pid < 0) {
        ::close(ends[0]);
        whyNot = "fork failed";
        return nullptr;
    }
    auto child = std::unique_ptr<ChildProcess>(new ChildProcess(pid));
    const bool ready = readLine(ends[0], firstLine);
    ::close(ends[0]);
    if (!ready || firstLine.empty()) {
        whyNot = argv.front() + " did not report that it is ready";
        return nullptr;
    }
    return child;
}

ChildProcess::~ChildProcess() {
    ::kill(pid_, SIGTERM);
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
}

} // namespace wigglet::testing
