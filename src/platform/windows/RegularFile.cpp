#include "platform/RegularFile.h"

#include <windows.h>

#include "framework/Exception.h"
#include "platform/windows/WidePath.h"

namespace quill::platform {

namespace {

[[noreturn]] void Fail(const std::string& path, const std::string& why) { throw Exception(path + ": " + why); }

[[noreturn]] void FailSystem(const std::string& path, DWORD error) {
    Fail(path, "cannot read the file: system error " + std::to_string(error));
}

class TWindowsFile : public TRegularFile {
public:
    TWindowsFile(std::string path, HANDLE handle, uint64_t size)
        : TRegularFile(size), FPath(std::move(path)), FHandle(handle) {}
    ~TWindowsFile() override { CloseHandle(FHandle); }

    size_t Read(char* buffer, size_t size) override {
        if (AtEnd()) return 0;
        DWORD got = 0;
        const DWORD want = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
        if (!ReadFile(FHandle, buffer, want, &got, nullptr)) FailSystem(FPath, GetLastError());
        FPosition += got;
        if (got == 0) FPosition = Size();
        return got;
    }

    void Skip(uint64_t bytes) override {
        FPosition = bytes > Size() - (FPosition < Size() ? FPosition : Size()) ? Size() : FPosition + bytes;
        LARGE_INTEGER to;
        to.QuadPart = static_cast<LONGLONG>(FPosition);
        if (!SetFilePointerEx(FHandle, to, nullptr, FILE_BEGIN)) FailSystem(FPath, GetLastError());
    }

private:
    std::string FPath;
    HANDLE FHandle;
};

}  // namespace

std::unique_ptr<TRegularFile> TRegularFile::Open(const std::string& path, uint64_t limit) {
    const std::wstring name = WidePath(path);
    // The name is looked at first, so a folder or a device is never opened.
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (path.empty() || !GetFileAttributesExW(name.c_str(), GetFileExInfoStandard, &data))
        FailSystem(path, GetLastError());
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) Fail(path, "is a folder, not a regular file");
    HANDLE handle = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) FailSystem(path, GetLastError());
    LARGE_INTEGER size;
    if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileSizeEx(handle, &size)) {
        CloseHandle(handle);
        Fail(path, "is a device or a pipe, not a regular file");
    }
    if (static_cast<uint64_t>(size.QuadPart) > limit) {
        CloseHandle(handle);
        Fail(path, "the file holds " + std::to_string(size.QuadPart) + " bytes, more than the limit of " +
                       std::to_string(limit));
    }
    return std::make_unique<TWindowsFile>(path, handle, static_cast<uint64_t>(size.QuadPart));
}

}  // namespace quill::platform
