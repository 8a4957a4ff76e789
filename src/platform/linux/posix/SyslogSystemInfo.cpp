#include "platform/linux/posix/SyslogSystemInfo.h"

#include "platform/linux/ApplicationId.h"

#include <cstdlib>
#include <syslog.h>

namespace wigglet::desktop {

namespace {

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

int priority(LogLevel level) {
    switch (level) {
    case LogLevel::Debug:
        return LOG_DEBUG;
    case LogLevel::Info:
        return LOG_INFO;
    case LogLevel::Error:
        return LOG_ERR;
    }
    return LOG_INFO;
}

} // namespace

SyslogSystemInfo::SyslogSystemInfo() {
    openlog("wigglet", LOG_PID, LOG_USER);
}

SyslogSystemInfo::~SyslogSystemInfo() {
    closelog();
}

std::optional<std::string> SyslogSystemInfo::bundleValue(std::string_view key) {
    if (key == "CFBundleShortVersionString" || key == "CFBundleVersion")
        return WIGGLET_VERSION;
    if (key == "CFBundleIdentifier")
        return applicationId;
    if (key == "CFBundleName")
        return applicationName;
    return std::nullopt;
}

LocaleVariables SyslogSystemInfo::localeVariables() {
    return {environmentValue("LANGUAGE"), environmentValue("LC_ALL"),
            environmentValue("LC_MESSAGES"), environmentValue("LANG")};
}

void SyslogSystemInfo::doLog(LogLevel level, std::string_view text) {
    syslog(priority(level), "%.*s", static_cast<int>(text.size()), text.data());
}

} // namespace wigglet::desktop
