#pragma once

#include "platform/SystemInfo.h"

namespace wigglet::desktop {

// The system facts that the logic asks for, and the system log (syslog, which journald
// collects). The version is reported as 14.0 so that the current-system paths are taken; the
// bundle values come from the build.
class SyslogSystemInfo : public SystemInfo {
  public:
    SyslogSystemInfo();
    ~SyslogSystemInfo() override;

    OSVersion operatingSystemVersion() override { return {14, 0, 0}; }
    std::optional<std::string> bundleValue(std::string_view key) override;
    // From the process's environment, as the session passed it.
    LocaleVariables localeVariables() override;

  protected:
    void doLog(LogLevel level, std::string_view text) override;
};

} // namespace wigglet::desktop
