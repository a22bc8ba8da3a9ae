#include "aspserver/ServerModule.h"

#include <oleauto.h>

#include <atomic>

namespace quill::asp {

namespace {

HINSTANCE gInstance = nullptr;
std::atomic<long> gObjects{0};
std::atomic<long> gFactoryReferences{0};
std::atomic<long> gLocks{0};

// One down, unless the count is already zero: a release or unlock too
// many is the caller's fault and must not hide what others still hold.
void DecrementToZero(std::atomic<long>& count) {
    long current = count.load();
    while (current > 0 && !count.compare_exchange_weak(current, current - 1)) {
    }
}

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

void ObjectCreated() { ++gObjects; }
void ObjectDestroyed() { DecrementToZero(gObjects); }
void FactoryReferenced() { ++gFactoryReferences; }
void FactoryReleased() { DecrementToZero(gFactoryReferences); }
void ServerLocked() { ++gLocks; }
void ServerUnlocked() { DecrementToZero(gLocks); }

bool ModuleInUse() { return gObjects.load() > 0 || gFactoryReferences.load() > 0 || gLocks.load() > 0; }

HRESULT LoadServerTypeLib(ITypeLib** lib) {
    std::wstring path = ModuleFileName();
    if (path.empty()) return HRESULT_FROM_WIN32(GetLastError());
    return LoadTypeLibEx(path.c_str(), REGKIND_NONE, lib);
}

}  // namespace quill::asp
