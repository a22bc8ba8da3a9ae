#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <random>
#include <system_error>

#include "framework/Exception.h"

namespace quill::platform {

namespace {

#ifndef O_PATH
#define O_PATH O_RDONLY
#endif

[[noreturn]] void Fail(const std::string& path, const std::string& what, int error) {
    throw Exception(path + ": " + what + ": " + std::generic_category().message(error));
}

// Closes its descriptor on every way out.
class TDescriptor {
public:
    explicit TDescriptor(int fd = -1) : FFd(fd) {}
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;
    ~TDescriptor() {
        if (FFd >= 0) ::close(FFd);
    }
    int Get() const { return FFd; }
    // Closes now and answers the system's error, 0 when none.
    int Close() {
        int fd = FFd;
        FFd = -1;
        return fd >= 0 && ::close(fd) != 0 ? errno : 0;
    }

private:
    int FFd;
};

class TDescriptorWriter : public FileWriter {
public:
    TDescriptorWriter(const std::string& path, int fd) : FileWriter(path), FFd(fd) {}

protected:
    void WriteOut(const char* bytes, size_t size) override {
        while (size > 0) {
            ssize_t done = ::write(FFd, bytes, size);
            if (done < 0 && errno == EINTR) continue;
            if (done < 0) Fail(Path(), "cannot write the file", errno);
            bytes += done;
            size -= static_cast<size_t>(done);
        }
    }

private:
    int FFd;
};

void Fill(const std::string& path, int fd, const FileContent& content) {
    TDescriptorWriter writer(path, fd);
    content(writer);
    writer.Flush();
}

// What a save finds at the named path, links followed.
struct TTarget {
    std::string Path;  // the file to replace, or the name to write through
    bool Exists = false;
    bool InPlace = false;
    bool Append = false;
    struct stat Status {};
};

std::string FolderOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Links in /proc stand for a process's open streams (/dev/stdout leads
// there); their text is no path to replace.
bool IsStreamLink(const std::string& link) {
    char resolved[PATH_MAX];
    if (!::realpath(FolderOf(link).c_str(), resolved)) return false;
    return std::string(resolved).rfind("/proc/", 0) == 0;
}

std::string LinkText(const std::string& link) {
    std::string text(PATH_MAX, '\0');
    ssize_t size = ::readlink(link.c_str(), text.data(), text.size());
    if (size < 0) Fail(link, "cannot follow the link", errno);
    text.resize(static_cast<size_t>(size));
    if (text.empty() || text[0] == '/') return text;
    return FolderOf(link) + "/" + text;
}

TTarget Examine(const std::string& path) {
    TTarget target;
    target.Path = path;
    for (int hops = 0;; ++hops) {
        if (::lstat(target.Path.c_str(), &target.Status) != 0) {
            // Anything but a missing file is reported by the creation.
            return target;
        }
        if (!S_ISLNK(target.Status.st_mode)) break;
        if (hops == 40) Fail(path, "cannot write the file", ELOOP);
        if (IsStreamLink(target.Path)) {
            if (::stat(path.c_str(), &target.Status) != 0) Fail(path, "cannot write the file", errno);
            target.Path = path;
            target.Exists = target.InPlace = true;
            target.Append = S_ISREG(target.Status.st_mode);
            break;
        }
        target.Path = LinkText(target.Path);
    }
    target.Exists = true;
    if (S_ISDIR(target.Status.st_mode)) Fail(path, "cannot write the file", EISDIR);
    if (!S_ISREG(target.Status.st_mode)) target.InPlace = true;
    return target;
}

void WriteInPlace(const std::string& shownPath, const TTarget& target, const FileContent& content) {
    int flags = O_WRONLY | O_CLOEXEC | O_NOCTTY;
    if (target.Append) flags |= O_APPEND;
    else if (S_ISREG(target.Status.st_mode)) flags |= O_TRUNC;
    TDescriptor fd(::open(target.Path.c_str(), flags));
    if (fd.Get() < 0) Fail(shownPath, "cannot write the file", errno);
    Fill(shownPath, fd.Get(), content);
    if (int error = fd.Close()) Fail(shownPath, "cannot write the file", error);
}

// A short name, so it fits wherever the target's name fits.
std::string TemporaryName() {
    thread_local std::mt19937 random{std::random_device{}()};
    char name[32];
    std::snprintf(name, sizeof name, ".quill-%08x", static_cast<unsigned>(random()));
    return name;
}

// A file beside the target that nobody can see until it is linked into
// place, so a killed save leaves nothing behind. -1 where the system or
// the file system cannot make one.
int OpenUnnamed(int folder) {
#ifdef O_TMPFILE
    if (::access("/proc/self/fd", X_OK) != 0) return -1;
    return ::openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
#else
    (void)folder;
    return -1;
#endif
}

int OpenNamed(int folder, std::string& name) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = TemporaryName();
        int fd = ::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Gives an unnamed file a temporary name beside the target.
void LinkUnnamed(const std::string& shownPath, int fd, int folder, std::string& name) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = TemporaryName();
        if (::linkat(AT_FDCWD, self.c_str(), folder, name.c_str(), AT_SYMLINK_FOLLOW) == 0) return;
        if (errno != EEXIST) break;
    }
    Fail(shownPath, "cannot write the file", errno);
}

// The new file takes over the old one's owner and permission bits.
void KeepAccess(const TTarget& target, int fd) {
    if (!target.Exists) return;
    const struct stat& old = target.Status;
    if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) (void)::fchown(fd, old.st_uid, old.st_gid);
    (void)::fchmod(fd, old.st_mode & 07777);
}

void Replace(const std::string& shownPath, const TTarget& target, const FileContent& content) {
    TDescriptor folder(::open(FolderOf(target.Path).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() < 0) Fail(shownPath, "cannot create the file", errno);
    std::string name;
    int raw = OpenUnnamed(folder.Get());
    const bool unnamed = raw >= 0;
    if (!unnamed) raw = OpenNamed(folder.Get(), name);
    if (raw < 0) {
        int error = errno;
        // A folder that takes no new file may still hold a writable page.
        if (target.Exists) return WriteInPlace(shownPath, target, content);
        Fail(shownPath, "cannot create the file", error);
    }
    TDescriptor fd(raw);
    try {
        KeepAccess(target, fd.Get());
        Fill(shownPath, fd.Get(), content);
        if (unnamed) LinkUnnamed(shownPath, fd.Get(), folder.Get(), name);
        if (int error = fd.Close()) Fail(shownPath, "cannot write the file", error);
        if (::renameat(folder.Get(), name.c_str(), folder.Get(), NameOf(target.Path).c_str()) != 0)
            Fail(shownPath, "cannot replace the file", errno);
    } catch (...) {
        if (!name.empty()) ::unlinkat(folder.Get(), name.c_str(), 0);
        throw;
    }
}

}  // namespace

void SaveFile(const std::string& path, const FileContent& content) {
    if (path.empty()) throw Exception("cannot write a file with an empty name");
    TTarget target = Examine(path);
    if (target.Exists && !target.InPlace && ::access(target.Path.c_str(), W_OK) != 0)
        Fail(path, "cannot write the file", errno);
    if (target.InPlace)
        WriteInPlace(path, target, content);
    else
        Replace(path, target, content);
}

}  // namespace quill::platform
