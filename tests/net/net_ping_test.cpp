// PingConnectivity with the system ping, against 127.0.0.1 only.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "banner/description.h"
#include "desktop/net/ping_connectivity.h"

namespace dx {
namespace {

bool isFolder(const std::string& path, mode_t* mode = nullptr) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
    if (mode) *mode = st.st_mode & 07777;
    return true;
}

// The check reads the output four seconds after starting; a loopback echo
// answers long before that.
std::optional<bool> verdictWithin(PingConnectivity& ping, std::chrono::seconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    std::optional<bool> verdict;
    while (std::chrono::steady_clock::now() < end) {
        if (const auto out = ping.output()) verdict = pingAnswered(*out);
        if (verdict) return verdict;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return verdict;
}

// Some sandboxes forbid the echo socket to everyone; the system ping itself
// then fails, whatever the program does.
bool systemPingWorks() { return std::system("ping -c 1 -W 2 127.0.0.1 >/dev/null 2>&1") == 0; }

TEST(PingConnectivity, LoopbackAnswersAndTheFilesStayPrivateUntilCleanup) {
    if (!systemPingWorks()) GTEST_SKIP() << "the system ping cannot run here";
    PingConnectivity ping("127.0.0.1");
    ASSERT_TRUE(ping.start());
    const std::string folder = ping.folder();
    mode_t mode = 0;
    ASSERT_TRUE(isFolder(folder, &mode));
    EXPECT_EQ(mode, 0700u);
    EXPECT_EQ(verdictWithin(ping, std::chrono::seconds(4)), std::optional<bool>(true));
    ping.cleanup();
    EXPECT_FALSE(isFolder(folder));
    EXPECT_TRUE(ping.folder().empty());
    EXPECT_FALSE(ping.output().has_value());
}

TEST(PingConnectivity, CleanupStopsAPingStillRunning) {
    PingConnectivity ping("127.0.0.1");
    ASSERT_TRUE(ping.start());
    const std::string folder = ping.folder();
    ping.cleanup();  // at once, whatever the child is doing
    EXPECT_FALSE(isFolder(folder));
    ping.cleanup();  // twice is harmless
}

TEST(PingConnectivity, WithoutAUsableAddressNothingRuns) {
    for (const char* address : {"", "-f", "127.0.0.1 -c 1000", "127.0.0.1;true", "$(id)"}) {
        PingConnectivity ping(address);
        EXPECT_FALSE(ping.start()) << address;
        EXPECT_TRUE(ping.folder().empty());
        EXPECT_FALSE(ping.output().has_value());
        ping.cleanup();
    }
}

TEST(PingConnectivity, AcceptsHostNamesAndAddressesOnly) {
    EXPECT_TRUE(isPingTarget("127.0.0.1"));
    EXPECT_TRUE(isPingTarget("::1"));
    EXPECT_TRUE(isPingTarget("localhost"));
    EXPECT_FALSE(isPingTarget("-W9"));
    EXPECT_FALSE(isPingTarget("a b"));
    EXPECT_FALSE(isPingTarget("a/b"));
}

}  // namespace
}  // namespace dx
