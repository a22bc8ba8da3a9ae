#include "aspserver/ServerModule.h"

#include <oleauto.h>

#include <atomic>

namespace quill::asp {

namespace {

HINSTANCE gInstance = nullptr;
std::atomic<long> gUsers{0};

}  // namespace

void SetModuleInstance(HINSTANCE instance) { gInstance = instance; }

std::wstring ModuleFileName() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(gInstance, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

void LockModule() { ++gUsers; }
void UnlockModule() { --gUsers; }
bool ModuleInUse() { return gUsers.load() > 0; }

HRESULT LoadServerTypeLib(ITypeLib** lib) {
    std::wstring path = ModuleFileName();
    if (path.empty()) return HRESULT_FROM_WIN32(GetLastError());
    return LoadTypeLibEx(path.c_str(), REGKIND_NONE, lib);
}

}  // namespace quill::asp
