#include "SettingsStoreTestSupport.h"
#include "foundation/SettingsStore.h"

#include <chrono>
#include <csignal>
#include <cstdint>
#include <gtest/gtest.h>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace wigglet {
namespace {

using nlohmann::json;
using testing::TemporaryFolder;

constexpr int kRounds = 200;
const std::string kPadding(48 * 1024, 'p');

// Runs in the child: announces each value on the pipe, then writes it, until killed.
[[noreturn]] void writeForever(const std::filesystem::path& path, int announce) {
    SettingsStore store(path);
    std::int64_t n = store.integerForKey("counter");
    for (;;) {
        ++n;
        if (::write(announce, &n, sizeof n) != sizeof n)
            ::_exit(1);
        store.setString("padding", kPadding + std::to_string(n));
        store.setInteger("counter", n);
    }
}

// Each value is written whole, and a pipe keeps writes that small whole.
bool readValue(int fd, std::int64_t& value) {
    return ::read(fd, &value, sizeof value) == sizeof value;
}

TEST(SettingsStoreCrash, AWriterKilledAtAnyMomentLeavesTheOldOrTheNewValue) {
    TemporaryFolder folder;
    const auto path = folder / "settings.json";
    {
        SettingsStore store(path);
        store.setString("someoneElse", "kept");
        store.setInteger("counter", 0);
    }
    std::mt19937 random(20261207);
    std::int64_t lastCounter = 0;
    for (int round = 0; round < kRounds; ++round) {
        int pipeEnds[2];
        ASSERT_EQ(::pipe(pipeEnds), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(pipeEnds[0]);
            writeForever(path, pipeEnds[1]);
        }
        ::close(pipeEnds[1]);

        // Let it start a few writes, then kill it somewhere inside the next one.
        const int writesFirst = std::uniform_int_distribution<int>(1, 3)(random);
        std::int64_t announced = 0;
        for (int i = 0; i < writesFirst; ++i)
            ASSERT_TRUE(readValue(pipeEnds[0], announced));
        std::this_thread::sleep_for(
            std::chrono::microseconds(std::uniform_int_distribution<int>(0, 3000)(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "round " << round;
        for (std::int64_t more = 0; readValue(pipeEnds[0], more);)
            announced = more;
        ::close(pipeEnds[0]);

        const json onDisk = testing::readJson(path);
        ASSERT_TRUE(onDisk.is_object()) << "round " << round;
        ASSERT_TRUE(onDisk.contains("counter")) << "round " << round;
        const std::int64_t counter = onDisk["counter"].get<std::int64_t>();
        EXPECT_TRUE(counter == announced || counter == announced - 1)
            << "round " << round << ": file holds " << counter << ", last write began at "
            << announced;
        EXPECT_GE(counter, lastCounter) << "round " << round << ": the file went back";
        EXPECT_EQ(onDisk.value("someoneElse", ""), "kept") << "round " << round;
        lastCounter = counter;
    }
}

} // namespace
} // namespace wigglet
