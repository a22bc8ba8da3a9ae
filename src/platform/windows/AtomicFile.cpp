#include "platform/AtomicFile.h"

#include <windows.h>

#include <atomic>
#include <cstdio>

#include "framework/Exception.h"
#include "platform/windows/WidePath.h"

namespace quill::platform {

namespace {

std::string Reason(DWORD error) {
    char* text = nullptr;
    DWORD size = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string reason = size ? std::string(text, size) : "system error " + std::to_string(error);
    if (text) LocalFree(text);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == '.')) reason.pop_back();
    return reason;
}

[[noreturn]] void Fail(const std::string& path, const std::string& what, DWORD error) {
    throw Exception(path + ": " + what + ": " + Reason(error));
}

class THandle {
public:
    explicit THandle(HANDLE handle) : FHandle(handle) {}
    THandle(const THandle&) = delete;
    THandle& operator=(const THandle&) = delete;
    ~THandle() { Close(); }
    bool Valid() const { return FHandle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return FHandle; }
    void Close() {
        if (Valid()) CloseHandle(FHandle);
        FHandle = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE FHandle;
};

class THandleWriter : public FileWriter {
public:
    THandleWriter(const std::string& path, HANDLE handle) : FileWriter(path), FHandle(handle) {}

protected:
    void WriteOut(const char* bytes, size_t size) override {
        while (size > 0) {
            DWORD chunk = size > (DWORD{1} << 30) ? (DWORD{1} << 30) : static_cast<DWORD>(size);
            DWORD done = 0;
            if (!WriteFile(FHandle, bytes, chunk, &done, nullptr)) Fail(Path(), "cannot write the file", GetLastError());
            bytes += done;
            size -= done;
        }
    }

private:
    HANDLE FHandle;
};

void Fill(const std::string& path, HANDLE handle, const FileContent& content) {
    THandleWriter writer(path, handle);
    content(writer);
    writer.Flush();
}

void WriteInPlace(const std::string& path, const std::wstring& target, DWORD disposition, const FileContent& content) {
    THandle file(CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, disposition,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) Fail(path, "cannot write the file", GetLastError());
    Fill(path, file.Get(), content);
}

// The final name of an existing disk file, links followed; empty for a
// device, a pipe or a console, which are written in place.
std::wstring FinalName(const std::string& path, HANDLE probe) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(probe) != FILE_TYPE_DISK) return {};
    if (GetFileInformationByHandle(probe, &info) && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        throw Exception(path + ": cannot write the file: it is a folder");
    std::wstring name(MAX_PATH, L'\0');
    DWORD size = GetFinalPathNameByHandleW(probe, name.data(), static_cast<DWORD>(name.size()), FILE_NAME_NORMALIZED);
    if (size >= name.size()) {
        name.resize(size + 1);
        size = GetFinalPathNameByHandleW(probe, name.data(), static_cast<DWORD>(name.size()), FILE_NAME_NORMALIZED);
    }
    if (size == 0) Fail(path, "cannot write the file", GetLastError());
    name.resize(size);
    return name;
}

// A short name, so it fits wherever the target's name fits.
std::wstring TemporaryBeside(const std::wstring& target) {
    static std::atomic<unsigned> counter{0};
    unsigned stamp = static_cast<unsigned>(GetTickCount64()) * 2654435761u ^ GetCurrentProcessId() ^ counter++ * 40503u;
    wchar_t name[32];
    std::swprintf(name, 32, L".quill-%08x", stamp);
    size_t slash = target.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring(name) : target.substr(0, slash + 1) + name;
}

}  // namespace

void SaveFile(const std::string& path, const FileContent& content) {
    if (path.empty()) throw Exception("cannot write a file with an empty name");
    std::wstring target = WidePath(path);
    THandle probe(CreateFileW(target.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    const bool exists = probe.Valid();
    if (exists) {
        std::wstring final = FinalName(path, probe.Get());
        probe.Close();
        if (final.empty()) return WriteInPlace(path, target, OPEN_EXISTING, content);
        target = final;
    }
    std::wstring temporary = TemporaryBeside(target);
    THandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        DWORD error = GetLastError();
        // A folder that takes no new file may still hold a writable page.
        if (exists) return WriteInPlace(path, target, TRUNCATE_EXISTING, content);
        Fail(path, "cannot create the file", error);
    }
    try {
        Fill(path, file.Get(), content);
        file.Close();
        // Replacing keeps the old file's attributes and access rules.
        bool replaced = exists && ReplaceFileW(target.c_str(), temporary.c_str(), nullptr,
                                               REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
        if (!replaced && !MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING))
            Fail(path, "cannot replace the file", GetLastError());
    } catch (...) {
        file.Close();
        DeleteFileW(temporary.c_str());
        throw;
    }
}

}  // namespace quill::platform
