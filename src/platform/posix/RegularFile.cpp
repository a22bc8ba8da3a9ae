#include "platform/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "framework/Exception.h"

namespace quill::platform {

namespace {

[[noreturn]] void Fail(const std::string& path, const std::string& why) { throw Exception(path + ": " + why); }

std::string Reason(int error) { return std::generic_category().message(error); }

// What a name leads to when it is not a regular file.
const char* KindOf(mode_t mode) {
    if (S_ISDIR(mode)) return "a folder";
    if (S_ISFIFO(mode)) return "a pipe";
    if (S_ISSOCK(mode)) return "a socket";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
    return "not a regular file";
}

void CheckStatus(const std::string& path, const struct stat& status, uint64_t limit) {
    if (!S_ISREG(status.st_mode)) Fail(path, std::string("is ") + KindOf(status.st_mode) + ", not a regular file");
    if (static_cast<uint64_t>(status.st_size) > limit)
        Fail(path, "the file holds " + std::to_string(status.st_size) + " bytes, more than the limit of " +
                       std::to_string(limit));
}

class TPosixFile : public TRegularFile {
public:
    TPosixFile(std::string path, int fd, uint64_t size) : TRegularFile(size), FPath(std::move(path)), FFd(fd) {}
    ~TPosixFile() override { ::close(FFd); }

    size_t Read(char* buffer, size_t size) override {
        if (AtEnd()) return 0;
        for (;;) {
            ssize_t got = ::read(FFd, buffer, size);
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) Fail(FPath, "cannot read the file: " + Reason(errno));
            FPosition += static_cast<uint64_t>(got);
            // A file that shrank while open ends where its content does.
            if (got == 0) FPosition = Size();
            return static_cast<size_t>(got);
        }
    }

    void Skip(uint64_t bytes) override {
        FPosition = bytes > Size() - std::min(FPosition, Size()) ? Size() : FPosition + bytes;
        if (::lseek(FFd, static_cast<off_t>(FPosition), SEEK_SET) < 0) Fail(FPath, "cannot read the file: " + Reason(errno));
    }

private:
    std::string FPath;
    int FFd;
};

}  // namespace

std::unique_ptr<TRegularFile> TRegularFile::Open(const std::string& path, uint64_t limit) {
    // The name is looked at first, so a pipe or a device is never opened.
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) Fail(path, "cannot read the file: " + Reason(errno));
    CheckStatus(path, status, limit);
    // Not blocking, in case something else took the name meanwhile.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) Fail(path, "cannot read the file: " + Reason(errno));
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || opened.st_dev != status.st_dev || opened.st_ino != status.st_ino) {
        ::close(fd);
        Fail(path, "the file changed while it was opened");
    }
    try {
        CheckStatus(path, opened, limit);
    } catch (...) {
        ::close(fd);
        throw;
    }
    return std::make_unique<TPosixFile>(path, fd, static_cast<uint64_t>(opened.st_size));
}

}  // namespace quill::platform
