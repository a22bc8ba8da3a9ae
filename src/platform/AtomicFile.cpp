#include "platform/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "framework/Exception.h"

namespace quill::platform {

namespace {

// Large enough that a big page goes out in few system calls, small enough
// to be nothing beside the page itself.
constexpr size_t kBufferSize = size_t{1} << 20;

std::string Reason(int error) { return std::generic_category().message(error); }

}  // namespace

FileWriter::FileWriter(std::string path) : FPath(std::move(path)), FBuffer(new char[kBufferSize]) {}

void FileWriter::Write(std::string_view bytes) {
    if (bytes.size() > kBufferSize - FUsed) {
        Flush();
        if (bytes.size() >= kBufferSize) {
            WriteOut(bytes.data(), bytes.size());
            return;
        }
    }
    std::memcpy(FBuffer.get() + FUsed, bytes.data(), bytes.size());
    FUsed += bytes.size();
}

void FileWriter::Flush() {
    if (FUsed == 0) return;
    size_t size = FUsed;
    FUsed = 0;
    WriteOut(FBuffer.get(), size);
}

void WriteFileAtomically(const std::string& path, const std::string& bytes) {
    SaveFile(path, [&](FileWriter& out) { out.Write(bytes); });
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    bool same = std::filesystem::equivalent(a, b, error);
    return !error && same;
}

std::string ReadWholeFile(const std::string& path, size_t limit) {
    auto fail = [&](int error) -> std::string { throw Exception(path + ": cannot read the file: " + Reason(error)); };
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) fail(EISDIR);
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) fail(errno ? errno : ENOENT);
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> closer(file, &std::fclose);
    std::string text;
    char chunk[1 << 16];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        if (got > limit - text.size())
            throw Exception(path + ": the file is larger than the limit of " + std::to_string(limit) + " bytes");
        text.append(chunk, got);
    }
    if (std::ferror(file)) fail(errno ? errno : EIO);
    return text;
}

}  // namespace quill::platform
