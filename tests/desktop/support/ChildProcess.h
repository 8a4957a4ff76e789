#pragma once

#include <QProcess>
#include <memory>
#include <string>
#include <vector>

namespace wigglet::testing {

// A helper program that a test starts and ends itself (an X server, a bus daemon), which
// reports one line on its standard output once it is ready.
class ChildProcess {
  public:
    // Absent, with the reason in whyNot, when the program is missing, fails to start or says
    // nothing within the timeout.
    static std::unique_ptr<ChildProcess> start(const std::vector<std::string>& argv,
                                               std::string& firstLine, std::string& whyNot);
    ~ChildProcess();

  private:
    ChildProcess() = default;

    QProcess process_;
};

} // namespace wigglet::testing
