#include "platform/Process.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>
#include <unistd.h>

namespace {

// Children of this process that still exist, zombies included.
int CountChildren() {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        std::ifstream stat(entry.path() / "stat");
        std::string line;
        if (!std::getline(stat, line)) {
            continue;
        }
        const size_t close = line.rfind(')');
        if (close == std::string::npos) {
            continue;
        }
        char state = 0;
        int parent = 0;
        if (std::sscanf(line.c_str() + close + 1, " %c %d", &state, &parent) == 2 &&
            parent == getpid()) {
            ++count;
        }
    }
    return count;
}

bool WaitFor(const std::function<bool()>& condition) {
    for (int i = 0; i < 500; ++i) {
        if (condition()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

} // namespace

TEST(ProcessTest, RunProcessAndWaitReportsTheExitStatus) {
    EXPECT_EQ(RunProcessAndWait({"true"}).exitStatus, 0);
    const ProcessResult failed = RunProcessAndWait({"sh", "-c", "exit 7"});
    EXPECT_TRUE(failed.started);
    EXPECT_EQ(failed.exitStatus, 7);
    EXPECT_EQ(RunProcessAndWait({"sh", "-c", "kill -9 $$"}).exitStatus, 128 + 9);

    const ProcessResult missing = RunProcessAndWait({"tessellon-no-such-program"});
    EXPECT_FALSE(missing.started);
    EXPECT_FALSE(RunProcessAndWait({}).started);
}

TEST(ProcessTest, ArgumentsReachTheProgramUnchanged) {
    // Each argument arrives as one word, with nothing expanded or split.
    const std::string awkward = "my plan; $(touch x) 'a' \"b\" *.png";
    const ProcessResult result =
        RunProcessAndWait({"sh", "-c", "test \"$#\" = 2 && test \"$1\" = \"$2\"", "sh", awkward,
                           "my plan; $(touch x) 'a' \"b\" *.png"});
    EXPECT_TRUE(result.started);
    EXPECT_EQ(result.exitStatus, 0);
}

TEST(ProcessTest, DetachedProcessesRunAndLeaveNoZombies) {
    TempFolder folder;
    const std::string marker = folder / "ran";
    ASSERT_TRUE(StartProcessDetached({"touch", marker}));
    EXPECT_TRUE(WaitFor([&] { return std::filesystem::exists(marker); }));
    EXPECT_TRUE(WaitFor([] { return CountChildren() == 0; })) << "the child was reaped";
    EXPECT_FALSE(StartProcessDetached({"tessellon-no-such-program"}));
}
