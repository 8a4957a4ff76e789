#include "TemporaryFolder.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace wigglet::testing {

TemporaryFolder::TemporaryFolder() {
    char name[] = "/tmp/wigglet-test-XXXXXX";
    if (const char* made = ::mkdtemp(name))
        path_ = made;
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code ignored;
    if (!path_.empty())
        std::filesystem::remove_all(path_, ignored);
}

void TemporaryFolder::write(const std::filesystem::path& relative, const std::string& text) const {
    const auto file = path_ / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << text;
}

std::optional<std::string> TemporaryFolder::read(const std::filesystem::path& relative) const {
    std::ifstream in(path_ / relative);
    if (!in)
        return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace wigglet::testing
