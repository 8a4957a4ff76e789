#pragma once

#include <memory>
#include <string>
#include <sys/types.h>
#include <vector>

namespace wigglet::testing {

// A helper program that a test starts and ends itself (an X server, a bus daemon). It gets
// the write end of a pipe as file descriptor 3 and reports one line there once it is ready.
class ChildProcess {
  public:
    // Absent, with the reason in whyNot, when the program is missing, fails to start or says
    // nothing within the timeout.
    static std::unique_ptr<ChildProcess> start(const std::vector<std::string>& argv,
                                               std::string& firstLine, std::string& whyNot);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    static bool isInstalled(const std::string& program);

  private:
    explicit ChildProcess(pid_t pid) : pid_(pid) {}
    pid_t pid_;
};

} // namespace wigglet::testing
