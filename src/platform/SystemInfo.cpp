#include "platform/SystemInfo.h"

#include "platform/Platform.h"

namespace wigglet {

namespace {

const char* levelName(LogLevel level) {
    switch (level) {
    case LogLevel::Debug:
        return "debug";
    case LogLevel::Info:
        return "info";
    case LogLevel::Error:
        return "error";
    }
    return "info";
}

} // namespace

void SystemInfo::log(LogLevel level, std::string_view text) {
    recordTrace("log", {{"level", levelName(level)}, {"text", std::string(text)}});
    doLog(level, text);
}

} // namespace wigglet
