#pragma once

#include "platform/Workspace.h"

namespace wigglet::sim {

// Opens nothing; the trace shows what would have been opened.
class SimWorkspace final : public Workspace {
  public:
    void checkForUpdates() override {}

  protected:
    bool doOpenUrl(const std::string& url) override;
    void doComposeMail(const std::string&, const std::string&, const std::string&) override {}
};

} // namespace wigglet::sim
