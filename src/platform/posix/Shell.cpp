#include "platform/Shell.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <string_view>
#include <system_error>

namespace quill::platform {

namespace {

constexpr char kOpener[] = "xdg-open";

// What the watching process learned about the opener, sent through a pipe.
struct TOpenerReport {
    enum TKind : int { rkExited, rkSignalled, rkStillRunning, rkNotStarted };
    TKind Kind = rkNotStarted;
    int Value = 0;  // exit status, signal number or the system's error
};

// The first executable file called `name` in the folders of PATH, or empty.
// An empty folder in PATH is the current one, as for the shell.
std::string FindOnPath(const std::string& name) {
    const char* variable = std::getenv("PATH");
    std::string_view folders = variable ? variable : "/bin:/usr/bin";
    for (;;) {
        size_t end = folders.find(':');
        std::string folder(folders.substr(0, end));
        std::string candidate = (folder.empty() ? std::string(".") : folder) + "/" + name;
        struct stat info {};
        if (::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
        if (end == std::string_view::npos) return {};
        folders.remove_prefix(end + 1);
    }
}

// The forked processes below may only make system calls: another thread
// of the parent may have held a lock of the C library when it forked.

bool WriteAll(int fd, const void* data, size_t size) {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t done = ::write(fd, bytes, size);
        if (done < 0 && errno == EINTR) continue;
        if (done <= 0) return false;
        bytes += done;
        size -= static_cast<size_t>(done);
    }
    return true;
}

// Whether all of `size` bytes came before the other end closed.
bool ReadAll(int fd, void* data, size_t size) {
    char* bytes = static_cast<char*>(data);
    while (size > 0) {
        ssize_t done = ::read(fd, bytes, size);
        if (done < 0 && errno == EINTR) continue;
        if (done <= 0) return false;
        bytes += done;
        size -= static_cast<size_t>(done);
    }
    return true;
}

[[noreturn]] void Report(int fd, TOpenerReport::TKind kind, int value) {
    TOpenerReport report{kind, value};
    WriteAll(fd, &report, sizeof report);
    _exit(0);
}

long ElapsedMilliseconds(const timespec& since) {
    timespec now {};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return (now.tv_sec - since.tv_sec) * 1000L + (now.tv_nsec - since.tv_nsec) / 1000000L;
}

// Runs in the middle process: starts the opener, waits a bounded while for
// its exit, reports, and ends. An opener still running is left to init, so
// nobody has to wait for it.
[[noreturn]] void WatchOpener(char* const argv[], int reportFd, long waitMilliseconds) {
    // A parent that ignores or reaps its children would take the opener's
    // exit status away from us.
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    sigemptyset(&standard.sa_mask);
    ::sigaction(SIGCHLD, &standard, nullptr);
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);

    // Closed by a successful exec; carries the error of a failed one.
    int started[2];
    if (::pipe2(started, O_CLOEXEC) != 0) Report(reportFd, TOpenerReport::rkNotStarted, errno);
    pid_t opener = ::fork();
    if (opener < 0) Report(reportFd, TOpenerReport::rkNotStarted, errno);
    if (opener == 0) {
        ::close(started[0]);
        ::execv(argv[0], argv);
        int error = errno;
        WriteAll(started[1], &error, sizeof error);
        _exit(127);
    }
    ::close(started[1]);
    int execError = 0;
    if (ReadAll(started[0], &execError, sizeof execError)) {
        ::waitpid(opener, nullptr, 0);
        Report(reportFd, TOpenerReport::rkNotStarted, execError);
    }

    timespec start {};
    ::clock_gettime(CLOCK_MONOTONIC, &start);
    for (;;) {
        int status = 0;
        pid_t done = ::waitpid(opener, &status, WNOHANG);
        if (done == opener && WIFEXITED(status)) Report(reportFd, TOpenerReport::rkExited, WEXITSTATUS(status));
        if (done == opener && WIFSIGNALED(status)) Report(reportFd, TOpenerReport::rkSignalled, WTERMSIG(status));
        if (done < 0 && errno != EINTR) Report(reportFd, TOpenerReport::rkStillRunning, 0);
        if (ElapsedMilliseconds(start) >= waitMilliseconds) Report(reportFd, TOpenerReport::rkStillRunning, 0);
        timespec pause{0, 10 * 1000000L};
        ::nanosleep(&pause, nullptr);
    }
}

std::string ExitReason(int status) {
    const std::string code = " (exit status " + std::to_string(status) + ")";
    switch (status) {
    case 1:
        return std::string(kOpener) + " refused its arguments" + code;
    case 2:
        return std::string(kOpener) + " did not find the file" + code;
    case 3:
        return std::string(kOpener) + " found no program to open the file with" + code;
    case 4:
        return "the program " + std::string(kOpener) + " chose failed" + code;
    default:
        return std::string(kOpener) + " failed" + code;
    }
}

TOpenResult ResultOf(const TOpenerReport& report) {
    switch (report.Kind) {
    case TOpenerReport::rkExited:
        if (report.Value == 0) return {true, {}};
        return {false, ExitReason(report.Value)};
    case TOpenerReport::rkSignalled:
        return {false, std::string(kOpener) + " was ended by signal " + std::to_string(report.Value)};
    case TOpenerReport::rkStillRunning:
        return {true, {}};
    case TOpenerReport::rkNotStarted:
        break;
    }
    return {false, std::string(kOpener) + " could not be started: " + std::generic_category().message(report.Value)};
}

// Closes its descriptor on every way out.
class TDescriptor {
public:
    explicit TDescriptor(int fd = -1) : FFd(fd) {}
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;
    ~TDescriptor() { Close(); }
    int Get() const { return FFd; }
    void Close() {
        if (FFd >= 0) ::close(FFd);
        FFd = -1;
    }

private:
    int FFd;
};

TOpenResult StartOpener(const std::string& program, const std::string& fileName, std::chrono::milliseconds wait) {
    // Everything the children need is prepared before forking.
    std::string path = program;
    // A name starting with "-" would read as an option to the opener.
    std::string argument = !fileName.empty() && fileName[0] == '-' ? "./" + fileName : fileName;
    char* argv[] = {path.data(), argument.data(), nullptr};
    const long waitMilliseconds = static_cast<long>(std::max<std::chrono::milliseconds::rep>(0, wait.count()));
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return {false, std::string(kOpener) + " could not be started: " + std::generic_category().message(errno)};
    TDescriptor reading(fds[0]), writing(fds[1]);
    // Fork twice so the opener is nobody's child: the middle process waits
    // for it a bounded while, reports, and ends.
    pid_t middle = ::fork();
    if (middle < 0)
        return {false, std::string(kOpener) + " could not be started: " + std::generic_category().message(errno)};
    if (middle == 0) {
        ::close(fds[0]);
        WatchOpener(argv, fds[1], waitMilliseconds);
    }
    writing.Close();
    TOpenerReport report;
    const bool answered = ReadAll(reading.Get(), &report, sizeof report);
    pid_t waited;
    do {
        waited = ::waitpid(middle, nullptr, 0);
    } while (waited < 0 && errno == EINTR);
    // A host that ignores SIGCHLD, or reaps its children itself, leaves
    // nothing to wait for here; the report has come all the same.
    if (!answered) return {false, std::string(kOpener) + " gave no answer"};
    return ResultOf(report);
}

}  // namespace

TOpenResult ShellOpen(const std::string& fileName, std::chrono::milliseconds wait) {
    try {
        std::string program = FindOnPath(kOpener);
        if (program.empty()) return {false, std::string(kOpener) + " was not found on PATH"};
        return StartOpener(program, fileName, wait);
    } catch (const std::exception& e) {
        return {false, e.what()};
    }
}

}  // namespace quill::platform
