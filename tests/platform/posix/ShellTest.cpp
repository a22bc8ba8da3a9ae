#include "platform/Shell.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <future>
#include <thread>

#include "TestSupport.h"

namespace quill::platform {
namespace {

namespace fs = std::filesystem;

std::string CurrentPath() {
    const char* path = std::getenv("PATH");
    return path ? path : "";
}

// Sets PATH for one test and puts the old one back.
class ScopedPath {
public:
    explicit ScopedPath(const std::string& path) {
        FSaved = CurrentPath();
        setenv("PATH", path.c_str(), 1);
    }
    ~ScopedPath() { setenv("PATH", FSaved.c_str(), 1); }

private:
    std::string FSaved;
};

// A folder of its own for each test: an opener that outlives its test
// must not write into the next test's log.
std::string FreshName(const std::string& name) {
    static std::atomic<int> count{0};
    return name + "-" + std::to_string(++count);
}

// Puts a stand-in opener first on PATH that records its arguments, then
// runs `then` (shell commands).
class FakeOpener {
public:
    explicit FakeOpener(const std::string& then = "exit 0")
        : FDir(FreshName("quill-opener")), FPath(FDir.Path().string() + ":" + CurrentPath()) {
        test::WriteFile(FDir / "xdg-open", "#!/bin/sh\nprintf '%s|' \"$#\" \"$@\" > \"" + Log() + ".part\"; mv \"" +
                                               Log() + ".part\" \"" + Log() + "\"\n" + then + "\n");
        fs::permissions(FDir / "xdg-open", fs::perms::owner_all);
    }
    std::string Log() const { return (FDir / "opened.txt").string(); }
    // A detached call may still be on its way; give it a bounded while.
    std::string Arguments() const {
        for (int i = 0; i < 200 && !fs::exists(Log()); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return test::ReadFile(Log());
    }

private:
    test::TTempDir FDir;
    ScopedPath FPath;
};

// Whether ShellOpen came back within a generous while. A hang leaves the
// call running, so the test fails instead of blocking the suite.
bool ReturnsPromptly(const std::string& fileName, std::chrono::milliseconds wait = kOpenerWait) {
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> finished = done->get_future();
    std::thread([done, fileName, wait] {
        ShellOpen(fileName, wait);
        done->set_value();
    }).detach();
    return finished.wait_for(std::chrono::seconds(20)) == std::future_status::ready;
}

void ReapEveryChild(int) {
    while (::waitpid(-1, nullptr, WNOHANG) > 0) {
    }
}

TEST(ShellOpen, ReturnsInAHostThatIgnoresChildren) {
    FakeOpener opener("exit 3");
    struct sigaction old {};
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGCHLD, &ignore, &old);
    bool prompt = ReturnsPromptly("page.html");
    // The opener's answer still arrives.
    TOpenResult result = ShellOpen("page.html");
    ::sigaction(SIGCHLD, &old, nullptr);
    EXPECT_TRUE(prompt);
    EXPECT_EQ(opener.Arguments(), "1|page.html|");
    EXPECT_FALSE(result.Opened);
    EXPECT_NE(result.Reason.find("exit status 3"), std::string::npos) << result.Reason;
}

TEST(ShellOpen, ReturnsInAHostThatReapsItsChildren) {
    FakeOpener opener("exit 4");
    struct sigaction old {};
    struct sigaction reap {};
    reap.sa_handler = &ReapEveryChild;
    ::sigaction(SIGCHLD, &reap, &old);
    bool prompt = true;
    for (int i = 0; i < 5 && prompt; ++i) prompt = ReturnsPromptly("page.html");
    TOpenResult result = ShellOpen("page.html");
    ::sigaction(SIGCHLD, &old, nullptr);
    EXPECT_TRUE(prompt);
    EXPECT_FALSE(result.Opened);
    EXPECT_NE(result.Reason.find("exit status 4"), std::string::npos) << result.Reason;
}

TEST(ShellOpen, NameStartingWithADashIsNoOption) {
    FakeOpener opener;
    EXPECT_TRUE(ShellOpen("--help").Opened);
    EXPECT_EQ(opener.Arguments(), "1|./--help|");
}

TEST(ShellOpen, TellsWhatTheOpenerAnswered) {
    struct {
        const char* then;
        bool opened;
        const char* reason;
    } cases[] = {
        {"exit 0", true, ""},
        {"exit 1", false, "xdg-open refused its arguments (exit status 1)"},
        {"exit 2", false, "xdg-open did not find the file (exit status 2)"},
        {"exit 3", false, "xdg-open found no program to open the file with (exit status 3)"},
        {"exit 4", false, "the program xdg-open chose failed (exit status 4)"},
        {"exit 77", false, "xdg-open failed (exit status 77)"},
        {"kill -TERM $$", false, "xdg-open was ended by signal 15"},
    };
    for (const auto& c : cases) {
        FakeOpener opener(c.then);
        TOpenResult result = ShellOpen("my page.html");
        EXPECT_EQ(result.Opened, c.opened) << c.then;
        EXPECT_EQ(result.Reason, c.reason) << c.then;
        // The opener had its say before the answer came.
        EXPECT_EQ(test::ReadFile(opener.Log()), "1|my page.html|") << c.then;
    }
}

TEST(ShellOpen, AnOpenerStillBusyAfterTheWaitHasStartedTheHandler) {
    FakeOpener opener("sleep 3");
    auto answer = std::async(std::launch::async, [] { return ShellOpen("page.html", std::chrono::milliseconds(100)); });
    ASSERT_EQ(answer.wait_for(std::chrono::seconds(20)), std::future_status::ready);
    TOpenResult result = answer.get();
    EXPECT_TRUE(result.Opened);
    EXPECT_EQ(result.Reason, "");
}

TEST(ShellOpen, AnOpenerThatIsMissingOrCannotRunIsNamedWithTheReason) {
    test::TTempDir dir(FreshName("quill-no-opener"));
    fs::create_directories(dir / "folder" / "xdg-open");
    fs::create_directories(dir / "broken");
    test::WriteFile(dir / "broken" / "xdg-open", "#!/nonexistent/interpreter\n");
    fs::permissions(dir / "broken" / "xdg-open", fs::perms::owner_all);
    fs::create_directories(dir / "plain");
    test::WriteFile(dir / "plain" / "xdg-open", "#!/bin/sh\nexit 0\n");
    fs::permissions(dir / "plain" / "xdg-open", fs::perms::owner_read | fs::perms::owner_write);
    struct {
        std::string path;
        std::string reason;
    } cases[] = {
        {(dir / "empty").string(), "xdg-open was not found on PATH"},
        {"", "xdg-open was not found on PATH"},
        // A folder or a file that may not run is no opener.
        {(dir / "folder").string() + ":" + (dir / "plain").string(), "xdg-open was not found on PATH"},
        {(dir / "broken").string(), "xdg-open could not be started: No such file or directory"},
    };
    for (const auto& c : cases) {
        ScopedPath path(c.path);
        TOpenResult result = ShellOpen("page.html");
        EXPECT_FALSE(result.Opened) << c.path;
        EXPECT_EQ(result.Reason, c.reason) << c.path;
    }
}

}  // namespace
}  // namespace quill::platform
