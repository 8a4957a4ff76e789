#pragma once

#include "platform/linux/x11/XConnection.h"
#include "support/XvfbServer.h"

#include <gtest/gtest.h>
#include <memory>

namespace wigglet::testing {

// A test with its own X server and the adapters' connection to it; skipped with the reason
// when no X server can be started.
class XServerTest : public ::testing::Test {
  protected:
    void SetUp() override { startServer({}); }
    void startServer(const std::vector<std::string>& extra) {
        std::string whyNot;
        server_ = XvfbServer::start(whyNot, extra);
        if (!server_)
            GTEST_SKIP() << whyNot;
        connection_ = desktop::XConnection::open(server_->displayName());
        ASSERT_NE(connection_, nullptr) << "cannot open " << server_->displayName();
    }
    const std::string& displayName() const { return server_->displayName(); }

    std::unique_ptr<XvfbServer> server_;
    std::unique_ptr<desktop::XConnection> connection_;
};

} // namespace wigglet::testing
