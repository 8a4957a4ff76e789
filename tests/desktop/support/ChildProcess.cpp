#include "support/ChildProcess.h"

#include <QStandardPaths>

namespace wigglet::testing {

std::unique_ptr<ChildProcess> ChildProcess::start(const std::vector<std::string>& argv,
                                                  std::string& firstLine, std::string& whyNot) {
    const QString program = QString::fromStdString(argv.front());
    if (QStandardPaths::findExecutable(program).isEmpty()) {
        whyNot = argv.front() + " is not installed";
        return nullptr;
    }
    QStringList arguments;
    for (auto argument = argv.begin() + 1; argument != argv.end(); ++argument)
        arguments << QString::fromStdString(*argument);
    auto child = std::unique_ptr<ChildProcess>(new ChildProcess);
    QProcess& process = child->process_;
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    while (!process.canReadLine() && process.waitForReadyRead(15000)) {
    }
    firstLine = process.readLine().trimmed().toStdString();
    if (firstLine.empty()) {
        whyNot = argv.front() + " did not report that it is ready";
        return nullptr;
    }
    return child;
}

ChildProcess::~ChildProcess() {
    process_.terminate();
    process_.waitForFinished(5000);
}

} // namespace wigglet::testing
