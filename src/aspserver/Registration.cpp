#include "aspserver/Registration.h"

#include <windows.h>
#include <oleauto.h>

#include <cwchar>
#include <string>

#include "QuillAsp_h.h"
#include "aspserver/ComError.h"
#include "aspserver/ComPtr.h"
#include "aspserver/ComText.h"
#include "aspserver/ServerModule.h"
#include "aspserver/TestSeams.h"

namespace quill::asp {

namespace {

std::wstring GuidText(REFGUID guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

std::wstring ClassKey() { return L"CLSID\\" + GuidText(CLSID_QuillAspObject); }

std::string KeyName(const std::wstring& key) { return "HKEY_CLASSES_ROOT\\" + Utf8FromWide(key); }

// Writes one text value under the classes root; a null name is the key's
// default value.
void SetClassesValue(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    RegistryStep("writing " + KeyName(key));
    HKEY handle = nullptr;
    LONG error = RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr);
    if (error == ERROR_SUCCESS) {
        auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
        error = RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes);
        RegCloseKey(handle);
    }
    if (error != ERROR_SUCCESS) throw EOleSysError("Cannot write " + KeyName(key), HRESULT_FROM_WIN32(error));
}

void DeleteClassesKey(const std::wstring& key) {
    RegistryStep("deleting " + KeyName(key));
    LONG error = RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
    if (error != ERROR_SUCCESS && error != ERROR_FILE_NOT_FOUND)
        throw EOleSysError("Cannot delete " + KeyName(key), HRESULT_FROM_WIN32(error));
}

// The library's path as the class key names it: in short form when it
// holds a space, for hosts that split the value at blanks.
std::wstring InprocServerPath(const std::wstring& path) {
    if (path.find(L' ') == std::wstring::npos) return path;
    DWORD length = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (length == 0) return path;
    std::wstring shortPath(length, L'\0');
    length = GetShortPathNameW(path.c_str(), shortPath.data(), length);
    if (length == 0 || length >= shortPath.size()) return path;
    shortPath.resize(length);
    return shortPath;
}

std::wstring ModulePathOrRaise() {
    std::wstring path = ModuleFileName();
    if (path.empty()) throw EOleSysError("Cannot find the library's own file", HRESULT_FROM_WIN32(GetLastError()));
    return path;
}

// Version "major.minor" of the loaded type library, and its identity for
// unregistering. Its kind is SYS_WIN64, as widl -m64 builds it: this is a
// 64-bit server, and 64-bit clients find a type library's file under the
// "win64" key that RegisterTypeLib writes for that kind, not under "win32".
struct TLibraryFacts {
    GUID Id{};
    WORD Major = 0;
    WORD Minor = 0;
    LCID Locale = 0;
    SYSKIND Kind = SYS_WIN64;
    std::wstring Version;
};

TLibraryFacts FactsOf(ITypeLib& lib) {
    TLIBATTR* attr = nullptr;
    OleCheck(lib.GetLibAttr(&attr), "ITypeLib.GetLibAttr");
    TLibraryFacts facts{attr->guid, attr->wMajorVerNum, attr->wMinorVerNum, attr->lcid, attr->syskind, {}};
    lib.ReleaseTLibAttr(attr);
    wchar_t version[16];
    std::swprintf(version, 16, L"%d.%d", facts.Major, facts.Minor);
    facts.Version = version;
    return facts;
}

// The coclass help string, which describes the class in the registry.
std::wstring ClassDescription(ITypeLib& lib) {
    TComPtr<ITypeInfo> info;
    OleCheck(lib.GetTypeInfoOfGuid(CLSID_QuillAspObject, info.Put()), "ITypeLib.GetTypeInfoOfGuid");
    BSTR doc = nullptr;
    OleCheck(info->GetDocumentation(MEMBERID_NIL, nullptr, &doc, nullptr, nullptr), "ITypeInfo.GetDocumentation");
    std::wstring description = doc ? std::wstring(doc, SysStringLen(doc)) : std::wstring();
    SysFreeString(doc);
    return description;
}

}  // namespace

void RegisterServer() {
    std::wstring path = ModulePathOrRaise();
    TComPtr<ITypeLib> lib;
    OleCheck(LoadTypeLibEx(path.c_str(), REGKIND_NONE, lib.Put()), "Loading the type library");
    RegistryStep("registering the type library");
    OleCheck(RegisterTypeLib(lib.Get(), path.data(), nullptr), "Registering the type library");
    TLibraryFacts facts = FactsOf(*lib.Get());
    std::wstring description = ClassDescription(*lib.Get());
    std::wstring classKey = ClassKey();
    std::wstring classId = GuidText(CLSID_QuillAspObject);
    SetClassesValue(classKey, nullptr, description);
    SetClassesValue(classKey + L"\\InprocServer32", nullptr, InprocServerPath(path));
    SetClassesValue(classKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
    SetClassesValue(kProgId, nullptr, description);
    SetClassesValue(std::wstring(kProgId) + L"\\Clsid", nullptr, classId);
    SetClassesValue(classKey + L"\\ProgID", nullptr, kProgId);
    SetClassesValue(classKey + L"\\Version", nullptr, facts.Version);
    SetClassesValue(classKey + L"\\TypeLib", nullptr, GuidText(facts.Id));
}

void UnregisterServer() {
    TComPtr<ITypeLib> lib;
    OleCheck(LoadServerTypeLib(lib.Put()), "Loading the type library");
    TLibraryFacts facts = FactsOf(*lib.Get());
    RegistryStep("unregistering the type library");
    HRESULT result = UnRegisterTypeLib(facts.Id, facts.Major, facts.Minor, facts.Locale, facts.Kind);
    // A type library that is no longer registered is answered with
    // E_INVALIDARG by some COM runtimes and TYPE_E_REGISTRYACCESS by others.
    if (result != E_INVALIDARG && result != TYPE_E_REGISTRYACCESS) OleCheck(result, "Unregistering the type library");
    DeleteClassesKey(ClassKey());
    DeleteClassesKey(kProgId);
}

}  // namespace quill::asp
