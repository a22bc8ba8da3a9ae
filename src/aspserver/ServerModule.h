#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>

namespace quill::asp {

// The ProgID scripts create the object by: the type library's name, a dot
// and the coclass name.
inline constexpr wchar_t kProgId[] = L"QuillAspObjectLibrary.QuillAspObject";

// The library's own module, recorded when it is loaded.
void SetModuleInstance(HINSTANCE instance);
// The full path of the library's file.
std::wstring ModuleFileName();

// Counts what keeps the library loaded: live objects, factory references
// and factory locks.
void LockModule();
void UnlockModule();
bool ModuleInUse();

// Loads the type library built into the library's file.
HRESULT LoadServerTypeLib(ITypeLib** lib);

}  // namespace quill::asp
