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

// What keeps the library loaded: live objects, references to the factory
// and the locks clients take with LockServer. Each is counted apart and
// never below zero, so a client that unlocks once too often cannot make
// the library look unused while an object lives.
void ObjectCreated();
void ObjectDestroyed();
void FactoryReferenced();
void FactoryReleased();
void ServerLocked();
void ServerUnlocked();
bool ModuleInUse();

// Loads the type library built into the library's file.
HRESULT LoadServerTypeLib(ITypeLib** lib);

}  // namespace quill::asp
