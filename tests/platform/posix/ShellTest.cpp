#include "platform/Shell.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <future>
#include <thread>

#include "TestSupport.h"

namespace quill::platform {
namespace {

namespace fs = std::filesystem;

// Puts a stand-in opener first on PATH that records its arguments.
class FakeOpener {
public:
    FakeOpener() : FDir("quill-opener") {
        test::WriteFile(FDir / "xdg-open", "#!/bin/sh\nprintf '%s|' \"$#\" \"$@\" > \"" + Log() + ".part\"; mv \"" +
                                               Log() + ".part\" \"" + Log() + "\"\n");
        fs::permissions(FDir / "xdg-open", fs::perms::owner_all);
        const char* path = std::getenv("PATH");
        FSavedPath = path ? path : "";
        setenv("PATH", (FDir.Path().string() + ":" + FSavedPath).c_str(), 1);
    }
    ~FakeOpener() { setenv("PATH", FSavedPath.c_str(), 1); }
    std::string Log() const { return (FDir / "opened.txt").string(); }
    // The opener runs on its own; give it a bounded while to report.
    std::string Arguments() const {
        for (int i = 0; i < 200 && !fs::exists(Log()); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return test::ReadFile(Log());
    }

private:
    test::TTempDir FDir;
    std::string FSavedPath;
};

// Whether ShellOpen came back within a generous while. A hang leaves the
// call running, so the test fails instead of blocking the suite.
bool ReturnsPromptly(const std::string& fileName) {
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> finished = done->get_future();
    std::thread([done, fileName] {
        ShellOpen(fileName);
        done->set_value();
    }).detach();
    return finished.wait_for(std::chrono::seconds(20)) == std::future_status::ready;
}

void ReapEveryChild(int) {
    while (::waitpid(-1, nullptr, WNOHANG) > 0) {
    }
}

TEST(ShellOpen, ReturnsInAHostThatIgnoresChildren) {
    FakeOpener opener;
    struct sigaction old {};
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGCHLD, &ignore, &old);
    bool prompt = ReturnsPromptly("page.html");
    ::sigaction(SIGCHLD, &old, nullptr);
    EXPECT_TRUE(prompt);
    EXPECT_EQ(opener.Arguments(), "1|page.html|");
}

TEST(ShellOpen, ReturnsInAHostThatReapsItsChildren) {
    FakeOpener opener;
    struct sigaction old {};
    struct sigaction reap {};
    reap.sa_handler = &ReapEveryChild;
    ::sigaction(SIGCHLD, &reap, &old);
    bool prompt = true;
    for (int i = 0; i < 5 && prompt; ++i) prompt = ReturnsPromptly("page.html");
    ::sigaction(SIGCHLD, &old, nullptr);
    EXPECT_TRUE(prompt);
}

TEST(ShellOpen, NameStartingWithADashIsNoOption) {
    FakeOpener opener;
    EXPECT_TRUE(ShellOpen("--help"));
    EXPECT_EQ(opener.Arguments(), "1|./--help|");
}

}  // namespace
}  // namespace quill::platform
