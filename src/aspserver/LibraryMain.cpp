// The four exports of the in-process server, and the library's entry.
#include <windows.h>
#include <objbase.h>

#include "QuillAsp_h.h"
#include "aspserver/ClassFactory.h"
#include "aspserver/Registration.h"
#include "aspserver/ServerModule.h"

using namespace quill::asp;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        SetModuleInstance(instance);
        DisableThreadLibraryCalls(instance);
        TheFactory();
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID classId, REFIID riid, LPVOID* object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (classId != CLSID_QuillAspObject) return CLASS_E_CLASSNOTAVAILABLE;
    return TheFactory().QueryInterface(riid, object);
}

STDAPI DllCanUnloadNow() { return ModuleInUse() ? S_FALSE : S_OK; }

STDAPI DllRegisterServer() {
    try {
        RegisterServer();
        return S_OK;
    } catch (...) {
        return E_FAIL;
    }
}

STDAPI DllUnregisterServer() {
    try {
        UnregisterServer();
        return S_OK;
    } catch (...) {
        return E_FAIL;
    }
}
