#include "platform/AtomicFile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <thread>

#include "TestSupport.h"
#include "framework/Exception.h"

namespace quill::platform {
namespace {

namespace fs = std::filesystem;

std::string SaveError(const std::string& path, const std::string& bytes = "page") {
    try {
        WriteFileAtomically(path, bytes);
    } catch (const Exception& e) {
        return e.what();
    }
    return "";
}

// Names in the folder other than the ones the test made: a save must
// leave no temporary behind.
std::vector<std::string> Leftovers(const fs::path& folder, const std::vector<std::string>& expected) {
    std::vector<std::string> extra;
    for (const auto& entry : fs::directory_iterator(folder)) {
        std::string name = entry.path().filename().string();
        if (std::find(expected.begin(), expected.end(), name) == expected.end()) extra.push_back(name);
    }
    return extra;
}

mode_t ModeOf(const fs::path& path) {
    struct stat st {};
    EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
    return st.st_mode;
}

// Runs `body` in a child process without the superuser's rights, so that
// folder permissions hold as they do for a user. Answers the child's exit
// code.
int RunAsUnprivileged(const std::function<bool()>& body) {
    pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(3);
        ::_exit(body() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST(AtomicFile, ReplacesARegularFileKeepingItsPermissionBits) {
    test::TTempDir dir("quill-save");
    const fs::path page = dir / "page.html";
    test::WriteFile(page, "old");
    ASSERT_EQ(::chmod(page.c_str(), 0600), 0);
    WriteFileAtomically(page.string(), "new");
    EXPECT_EQ(test::ReadFile(page), "new");
    EXPECT_EQ(ModeOf(page), S_IFREG | 0600);

    const mode_t mask = ::umask(022);
    ::umask(mask);
    WriteFileAtomically((dir / "fresh.html").string(), "x");
    EXPECT_EQ(ModeOf(dir / "fresh.html"), S_IFREG | (0666 & ~mask));
    EXPECT_EQ(Leftovers(dir.Path(), {"page.html", "fresh.html"}), std::vector<std::string>{});
}

TEST(AtomicFile, FollowsSymbolicLinksAndReplacesTheirTarget) {
    test::TTempDir dir("quill-link");
    fs::create_directories(dir / "real");
    test::WriteFile(dir / "real/page.html", "old");
    fs::create_symlink("real/page.html", dir / "page.html");
    fs::create_symlink("page.html", dir / "chain.html");
    WriteFileAtomically((dir / "chain.html").string(), "new");
    EXPECT_TRUE(fs::is_symlink(dir / "page.html"));
    EXPECT_TRUE(fs::is_symlink(dir / "chain.html"));
    EXPECT_EQ(test::ReadFile(dir / "real/page.html"), "new");

    // A link to a file not made yet makes that file.
    fs::create_symlink("real/later.html", dir / "later.html");
    WriteFileAtomically((dir / "later.html").string(), "made");
    EXPECT_TRUE(fs::is_symlink(dir / "later.html"));
    EXPECT_EQ(test::ReadFile(dir / "real/later.html"), "made");

    fs::create_symlink("loop.html", dir / "loop.html");
    EXPECT_NE(SaveError((dir / "loop.html").string()).find("Too many levels of symbolic links"), std::string::npos);
    EXPECT_EQ(Leftovers(dir / "real", {"page.html", "later.html"}), std::vector<std::string>{});
}

TEST(AtomicFile, WritesAPipeInPlace) {
    test::TTempDir dir("quill-fifo");
    const fs::path fifo = dir / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = test::ReadFile(fifo); });
    WriteFileAtomically(fifo.string(), "through the pipe");
    reader.join();
    EXPECT_EQ(received, "through the pipe");
    EXPECT_TRUE(S_ISFIFO(ModeOf(fifo)));
    EXPECT_EQ(Leftovers(dir.Path(), {"pipe"}), std::vector<std::string>{});
}

TEST(AtomicFile, WritesADeviceInPlace) {
    test::TTempDir dir("quill-device");
    const fs::path device = dir / "null";
    // The same device as the system's null device, made in our own folder.
    if (::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) GTEST_SKIP() << "cannot make a device node here";
    std::string error = SaveError(device.string());
    if (error.find("Permission denied") != std::string::npos) GTEST_SKIP() << "devices are not usable in " << dir.Path();
    EXPECT_EQ(error, "");
    struct stat st {};
    ASSERT_EQ(::lstat(device.c_str(), &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
    EXPECT_EQ(st.st_rdev, makedev(1, 3));
    EXPECT_EQ(Leftovers(dir.Path(), {"null"}), std::vector<std::string>{});
}

TEST(AtomicFile, NamesUpToTheSystemsLimitWork) {
    test::TTempDir dir("quill-long");
    const std::string name(255, 'n');
    WriteFileAtomically((dir / name).string(), "old");
    WriteFileAtomically((dir / name).string(), "new");
    EXPECT_EQ(test::ReadFile(dir / name), "new");
    EXPECT_NE(SaveError((dir / (name + "x")).string()).find("File name too long"), std::string::npos);
    EXPECT_EQ(Leftovers(dir.Path(), {name}), std::vector<std::string>{});
}

TEST(AtomicFile, ErrorsNameTheFileAndTheReason) {
    test::TTempDir dir("quill-errors");
    fs::create_directories(dir / "folder");
    struct {
        fs::path path;
        const char* reason;
    } cases[] = {
        {dir / "missing/page.html", "No such file or directory"},
        {dir / "folder", "Is a directory"},
        {dir / "folder/", "Is a directory"},
    };
    for (const auto& c : cases) {
        std::string error = SaveError(c.path.string());
        EXPECT_EQ(error.rfind(c.path.string() + ": ", 0), 0u) << error;
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    }
    EXPECT_EQ(SaveError(""), "cannot write a file with an empty name");
}

TEST(AtomicFile, FolderThatTakesNoNewFile) {
    test::TTempDir dir("quill-locked");
    const fs::path folder = dir / "locked";
    fs::create_directories(folder);
    test::WriteFile(folder / "page.html", "old");
    test::WriteFile(folder / "readonly.html", "kept");
    ASSERT_EQ(::chmod((folder / "readonly.html").c_str(), 0444), 0);
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(folder.c_str(), 65534, 65534), 0);
        ASSERT_EQ(::chown((folder / "page.html").c_str(), 65534, 65534), 0);
        ASSERT_EQ(::chmod(dir.Path().c_str(), 0755), 0);
    }
    ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
    int code = RunAsUnprivileged([&] {
        // The writable page is written in place; a new file cannot be made.
        WriteFileAtomically((folder / "page.html").string(), "new");
        std::string fresh = SaveError((folder / "fresh.html").string());
        std::string readonly = SaveError((folder / "readonly.html").string());
        return fresh.find("Permission denied") != std::string::npos &&
               readonly.find("Permission denied") != std::string::npos;
    });
    ::chmod(folder.c_str(), 0755);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(test::ReadFile(folder / "page.html"), "new");
    EXPECT_EQ(test::ReadFile(folder / "readonly.html"), "kept");
    EXPECT_EQ(Leftovers(folder, {"page.html", "readonly.html"}), std::vector<std::string>{});
}

TEST(AtomicFile, KilledSaveLeavesTheOldFileAndNoTemporary) {
    test::TTempDir dir("quill-killed");
    const fs::path page = dir / "page.html";
    test::WriteFile(page, "old");
    pid_t child = ::fork();
    if (child == 0) {
        SaveFile(page.string(), [](FileWriter& out) {
            out.Write(std::string(3 << 20, 'x'));
            out.Flush();
            ::raise(SIGKILL);
        });
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(test::ReadFile(page), "old");
    EXPECT_EQ(Leftovers(dir.Path(), {"page.html"}), std::vector<std::string>{});
}

TEST(AtomicFile, FailingContentLeavesTheOldFile) {
    test::TTempDir dir("quill-failing");
    const fs::path page = dir / "page.html";
    test::WriteFile(page, "old");
    EXPECT_THROW(SaveFile(page.string(),
                          [](FileWriter& out) {
                              out.Write("partial");
                              throw Exception("stopped");
                          }),
                 Exception);
    EXPECT_EQ(test::ReadFile(page), "old");
    EXPECT_EQ(Leftovers(dir.Path(), {"page.html"}), std::vector<std::string>{});
}

TEST(AtomicFile, PiecesOfEverySizeArriveInOrder) {
    test::TTempDir dir("quill-pieces");
    std::string expected;
    SaveFile((dir / "big").string(), [&](FileWriter& out) {
        for (size_t size : {size_t{1}, size_t{1000}, size_t{1} << 20, size_t{3}, (size_t{1} << 20) - 1, size_t{5} << 20}) {
            std::string piece(size, static_cast<char>('a' + expected.size() % 26));
            out.Write(piece);
            expected += piece;
        }
    });
    EXPECT_EQ(test::ReadFile(dir / "big"), expected);
}

TEST(AtomicFile, SameFileSeesThroughNames) {
    test::TTempDir dir("quill-same");
    test::WriteFile(dir / "design.json", "{}");
    fs::create_symlink("design.json", dir / "link.json");
    fs::create_hard_link(dir / "design.json", dir / "hard.json");
    const std::string design = (dir / "design.json").string();
    EXPECT_TRUE(SameFile(design, (dir / "link.json").string()));
    EXPECT_TRUE(SameFile(design, (dir / "hard.json").string()));
    EXPECT_TRUE(SameFile(design, (dir / "." / ".." / dir.Path().filename() / "design.json").string()));
    EXPECT_FALSE(SameFile(design, (dir / "other.json").string()));
}

TEST(AtomicFile, ReadWholeFileNamesTheReason) {
    test::TTempDir dir("quill-read");
    test::WriteFile(dir / "design.json", "0123456789");
    EXPECT_EQ(ReadWholeFile((dir / "design.json").string()), "0123456789");
    struct {
        fs::path path;
        size_t limit;
        const char* message;
    } cases[] = {
        {dir / "missing.json", 100, ": cannot read the file: No such file or directory"},
        {dir.Path(), 100, ": cannot read the file: Is a directory"},
        {dir / "design.json", 9, ": the file is larger than the limit of 9 bytes"},
    };
    for (const auto& c : cases) {
        try {
            ReadWholeFile(c.path.string(), c.limit);
            ADD_FAILURE() << c.path;
        } catch (const Exception& e) {
            EXPECT_EQ(e.what(), c.path.string() + c.message);
        }
    }
}

}  // namespace
}  // namespace quill::platform
