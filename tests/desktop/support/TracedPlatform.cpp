#include "support/TracedPlatform.h"

#include <fstream>
#include <unistd.h>

namespace wigglet::testing {

namespace {

std::string temporaryPath() {
    char path[] = "/tmp/wigglet-trace-XXXXXX";
    const int fd = ::mkstemp(path);
    if (fd >= 0)
        ::close(fd);
    return path;
}

} // namespace

TracedPlatform::TracedPlatform(PlatformServices services)
    : path_(temporaryPath()), platform_(services), scope_(platform_) {
    platform_.trace().open(path_);
}

TracedPlatform::~TracedPlatform() {
    platform_.trace().close();
    ::unlink(path_.c_str());
}

std::vector<nlohmann::json> TracedPlatform::lines(const std::string& kind) const {
    std::vector<nlohmann::json> lines;
    std::ifstream in(path_);
    for (std::string line; std::getline(in, line);) {
        auto parsed = nlohmann::json::parse(line);
        if (kind.empty() || parsed["ev"] == kind)
            lines.push_back(std::move(parsed));
    }
    return lines;
}

} // namespace wigglet::testing
