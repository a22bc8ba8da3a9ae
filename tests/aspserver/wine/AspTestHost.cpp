// Plays the ASP host for QuillAsp.dll, the way the web server does, in
// Wine's COM runtime:
//   quillasp_host test DLL GOLDEN TESTDLL
//                                   runs every check; exit code = failures;
//                                   TESTDLL is the server's test build
//                                   (QuillAspTest.dll) with its seams
//   quillasp_host serve             writes one served page to stdout
// The object is created by its ProgID from the registration, as a script
// does, and called late-bound through IDispatch and early-bound.
#include <windows.h>
#include <asptlb.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "Check.h"
#include "FakeAspHost.h"
#include "PageCheck.h"
#include "TestBuildCheck.h"
#include "QuillAsp_h.h"

using namespace quill::asp::test;

int quill::asp::test::gFailures = 0;

namespace {

const wchar_t kProgId[] = L"QuillAspObjectLibrary.QuillAspObject";

template <class T>
void ReleaseOnce(T*& pointer) {
    if (pointer) pointer->Release();
    pointer = nullptr;
}

IQuillAspObject* NewObject() {
    CLSID classId{};
    IQuillAspObject* object = nullptr;
    CHECK_HR(S_OK, CLSIDFromProgID(kProgId, &classId));
    CHECK_HR(S_OK, CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID_IQuillAspObject,
                                    reinterpret_cast<void**>(&object)));
    return object;
}

std::wstring Text(BSTR text) { return text ? std::wstring(text, SysStringLen(text)) : std::wstring(); }

// The vtable half of the dual interface: OLE automation, and after
// IDispatch's seven methods OnStartPage, OnEndPage and GetBody in this
// order, each a plain method returning HRESULT.
void CheckVtableHalf(ITypeInfo& dispatch) {
    HREFTYPE ref = 0;
    ITypeInfo* info = nullptr;
    CHECK_HR(S_OK, dispatch.GetRefTypeOfImplType(-1, &ref));
    CHECK_HR(S_OK, dispatch.GetRefTypeInfo(ref, &info));
    if (!info) return;
    TYPEATTR* attr = nullptr;
    info->GetTypeAttr(&attr);
    const WORD flags = TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FDISPATCHABLE;
    CHECK(attr->typekind == TKIND_INTERFACE && (attr->wTypeFlags & flags) == flags && attr->cFuncs == 3);
    info->ReleaseTypeAttr(attr);
    const struct {
        const wchar_t* Name;
        short Params;
    } methods[] = {{L"OnStartPage", 1}, {L"OnEndPage", 0}, {L"GetBody", 0}};
    for (UINT i = 0; i < 3; ++i) {
        FUNCDESC* func = nullptr;
        CHECK_HR(S_OK, info->GetFuncDesc(i, &func));
        if (!func) continue;
        BSTR name = nullptr;
        info->GetDocumentation(func->memid, &name, nullptr, nullptr, nullptr);
        CHECK(Text(name) == methods[i].Name);
        CHECK(func->memid == static_cast<MEMBERID>(i + 1) && func->oVft == static_cast<SHORT>((7 + i) * sizeof(void*)));
        CHECK(func->callconv == CC_STDCALL && func->invkind == INVOKE_FUNC && func->funckind == FUNC_PUREVIRTUAL);
        CHECK(func->cParams == methods[i].Params && func->elemdescFunc.tdesc.vt == VT_HRESULT);
        if (func->cParams == 1) CHECK(func->lprgelemdescParam[0].tdesc.vt == VT_UNKNOWN);
        SysFreeString(name);
        info->ReleaseFuncDesc(func);
    }
    info->Release();
}

// Slot `index` of the object's vtable, as a client built against the
// published layout calls it: the object is the first argument.
template <class F>
F Slot(IUnknown* object, int index) {
    void** vtable = *reinterpret_cast<void***>(object);
    return reinterpret_cast<F>(vtable[index]);
}

// The layout clients are built against, whatever the IDL of the day says:
// after IUnknown's three and IDispatch's four, OnStartPage, OnEndPage and
// GetBody.
void CheckVtableSlots() {
    TTestResponse response;
    TTestContext context(response);
    IQuillAspObject* object = NewObject();
    if (!object) return;
    using TStartPage = HRESULT(STDMETHODCALLTYPE*)(IQuillAspObject*, IUnknown*);
    using TMethod = HRESULT(STDMETHODCALLTYPE*)(IQuillAspObject*);
    CHECK_HR(S_OK, Slot<TStartPage>(object, 7)(object, static_cast<IScriptingContext*>(&context)));
    CHECK(context.References() == 2);
    CHECK_HR(S_OK, Slot<TMethod>(object, 9)(object));
    CHECK(response.Writes.size() == 1);
    CHECK_HR(S_OK, Slot<TMethod>(object, 8)(object));
    CHECK(context.References() == 1);
    CHECK_HR(E_UNEXPECTED, Slot<TMethod>(object, 9)(object));
    CHECK(response.Writes.size() == 1);
    ReleaseOnce(object);
}

void CheckTypeLibrary() {
    ITypeLib* lib = nullptr;
    CHECK_HR(S_OK, LoadRegTypeLib(LIBID_QuillAspObjectLibrary, 1, 0, 0x0409, &lib));
    if (!lib) return;
    TLIBATTR* libAttr = nullptr;
    lib->GetLibAttr(&libAttr);
    CHECK(libAttr->lcid == 0x0409 && libAttr->wMajorVerNum == 1 && libAttr->wMinorVerNum == 0);
    lib->ReleaseTLibAttr(libAttr);
    BSTR name = nullptr, doc = nullptr;
    lib->GetDocumentation(-1, &name, &doc, nullptr, nullptr);
    CHECK(Text(name) == L"QuillAspObjectLibrary" && Text(doc) == L"QuillAsp Library");
    SysFreeString(name);
    SysFreeString(doc);
    struct TItem {
        const GUID* Id;
        TYPEKIND Kind;
        WORD Flags;
        const wchar_t* Help;
    };
    const TItem items[] = {
        {&IID_IQuillAspObject, TKIND_DISPATCH, TYPEFLAG_FDUAL | TYPEFLAG_FDISPATCHABLE,
         L"Dispatch interface for QuillAspObject Object"},
        {&CLSID_QuillAspObject, TKIND_COCLASS, TYPEFLAG_FCANCREATE, L"QuillAspObject Object"},
    };
    for (const TItem& item : items) {
        ITypeInfo* info = nullptr;
        CHECK_HR(S_OK, lib->GetTypeInfoOfGuid(*item.Id, &info));
        if (!info) continue;
        TYPEATTR* attr = nullptr;
        info->GetTypeAttr(&attr);
        CHECK(attr->typekind == item.Kind && (attr->wTypeFlags & item.Flags) == item.Flags);
        CHECK(attr->wMajorVerNum == 1 && attr->wMinorVerNum == 0);
        info->ReleaseTypeAttr(attr);
        if (item.Kind == TKIND_DISPATCH) CheckVtableHalf(*info);
        info->GetDocumentation(MEMBERID_NIL, nullptr, &doc, nullptr, nullptr);
        CHECK(Text(doc) == item.Help);
        SysFreeString(doc);
        info->Release();
    }
    lib->Release();
}

HRESULT Call(IDispatch* object, DISPID id, IUnknown* argument, EXCEPINFO* exception) {
    VARIANT arg;
    VariantInit(&arg);
    arg.vt = VT_UNKNOWN;
    arg.punkVal = argument;
    DISPPARAMS params{argument ? &arg : nullptr, nullptr, argument ? 1u : 0u, 0};
    return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, exception, nullptr);
}

void CheckLateBound(const std::string& golden) {
    TTestResponse response;
    TTestContext context(response);
    CLSID classId{};
    CHECK_HR(S_OK, CLSIDFromProgID(kProgId, &classId));
    CHECK(IsEqualCLSID(classId, CLSID_QuillAspObject));
    IDispatch* object = nullptr;
    CHECK_HR(S_OK, CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                    reinterpret_cast<void**>(&object)));
    if (!object) return;
    const wchar_t* names[] = {L"OnStartPage", L"OnEndPage", L"GetBody"};
    DISPID ids[3] = {};
    for (int i = 0; i < 3; ++i) {
        LPOLESTR name = const_cast<LPOLESTR>(names[i]);
        CHECK_HR(S_OK, object->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &ids[i]));
        CHECK(ids[i] == i + 1);
    }
    // Without a context the call fails, and the error reaches the script.
    EXCEPINFO exception{};
    CHECK_HR(DISP_E_EXCEPTION, Call(object, 3, nullptr, &exception));
    CHECK(exception.scode == E_UNEXPECTED);
    CHECK(Text(exception.bstrSource) == kProgId);
    CHECK(Text(exception.bstrDescription).find(L"scripting context") != std::wstring::npos);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);

    CHECK_HR(S_OK, Call(object, 1, static_cast<IScriptingContext*>(&context), nullptr));
    CHECK_HR(S_OK, Call(object, 3, nullptr, nullptr));
    CHECK_HR(S_OK, Call(object, 2, nullptr, nullptr));
    CHECK(response.Writes.size() == 1);
    if (!response.Writes.empty()) CheckPage(response.Writes[0], golden);
    ReleaseOnce(object);
    CHECK(context.References() == 1 && response.References() == 1);
}

void CheckErrorInfo(IQuillAspObject* object, const wchar_t* words) {
    ISupportErrorInfo* support = nullptr;
    CHECK_HR(S_OK, object->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support)));
    if (support) CHECK_HR(S_OK, support->InterfaceSupportsErrorInfo(IID_IQuillAspObject));
    ReleaseOnce(support);
    IErrorInfo* info = nullptr;
    CHECK_HR(S_OK, GetErrorInfo(0, &info));
    if (!info) return;
    GUID id{};
    BSTR source = nullptr, description = nullptr;
    info->GetGUID(&id);
    info->GetSource(&source);
    info->GetDescription(&description);
    CHECK(IsEqualGUID(id, IID_IQuillAspObject));
    CHECK(Text(source) == kProgId);
    CHECK(Text(description).find(words) != std::wstring::npos);
    SysFreeString(source);
    SysFreeString(description);
    info->Release();
}

void CheckEarlyBound() {
    TTestResponse response;
    TTestContext context(response);
    TPlainObject plain;
    IQuillAspObject* object = NewObject();
    IQuillAspObject* other = NewObject();
    if (!object || !other) return;
    CHECK(object != other);

    // A page before OnStartPage has nowhere to go.
    CHECK_HR(E_UNEXPECTED, object->GetBody());
    CheckErrorInfo(object, L"scripting context");

    CHECK_HR(S_OK, object->OnStartPage(&context));
    CHECK_HR(S_OK, object->GetBody());
    CHECK_HR(S_OK, object->GetBody());
    CHECK(response.Writes.size() == 2 && response.Writes[0] == response.Writes[1]);
    CHECK(response.References() == 1);

    // A write the response refuses comes back as its own result.
    response.WriteResult = HRESULT_FROM_WIN32(ERROR_DISK_FULL);
    CHECK_HR(HRESULT_FROM_WIN32(ERROR_DISK_FULL), object->GetBody());
    CheckErrorInfo(object, L"Write");
    response.WriteResult = S_OK;
    CHECK(response.References() == 1);

    // Something that is no scripting context replaces none and is refused.
    CHECK_HR(E_UNEXPECTED, object->OnStartPage(&plain));
    CHECK(context.References() == 1 && plain.References() == 1);
    CHECK_HR(E_UNEXPECTED, other->OnStartPage(&plain));
    CHECK_HR(E_UNEXPECTED, object->GetBody());
    CHECK(response.Writes.size() == 2);

    // No object at all just lets the context go.
    CHECK_HR(S_OK, object->OnStartPage(&context));
    CHECK(context.References() == 2);
    CHECK_HR(S_OK, object->OnStartPage(nullptr));
    CHECK(context.References() == 1);
    CHECK_HR(E_UNEXPECTED, object->GetBody());

    CHECK_HR(S_OK, object->OnStartPage(&context));
    CHECK_HR(S_OK, object->OnEndPage());
    CHECK_HR(S_OK, object->OnEndPage());
    CHECK(context.References() == 1);
    CHECK_HR(E_UNEXPECTED, object->GetBody());
    CheckErrorInfo(object, L"scripting context");

    // The object's release gives back a context it still holds.
    CHECK_HR(S_OK, other->OnStartPage(&context));
    ReleaseOnce(object);
    ReleaseOnce(other);
    CHECK(context.References() == 1 && response.References() == 1 && plain.References() == 1);
    CHECK(!gOverReleased);
}

template <class F>
F Export(HMODULE library, const char* name) {
    // Through a plain function pointer type, which any function pointer may become.
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

void CheckExports(const std::wstring& dllPath) {
    HMODULE library = LoadLibraryW(dllPath.c_str());
    CHECK(library != nullptr);
    if (!library) return;
    using TGetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
    using TCanUnloadNow = HRESULT(WINAPI*)();
    auto getClassObject = Export<TGetClassObject>(library, "DllGetClassObject");
    auto canUnloadNow = Export<TCanUnloadNow>(library, "DllCanUnloadNow");
    CHECK(getClassObject && canUnloadNow && GetProcAddress(library, "DllRegisterServer") &&
          GetProcAddress(library, "DllUnregisterServer"));
    if (!getClassObject || !canUnloadNow) return;

    void* object = reinterpret_cast<void*>(1);
    CHECK_HR(CLASS_E_CLASSNOTAVAILABLE, getClassObject(IID_IQuillAspObject, IID_IClassFactory, &object));
    CHECK(object == nullptr);
    CHECK_HR(E_NOINTERFACE, getClassObject(CLSID_QuillAspObject, IID_IDispatch, &object));
    CHECK(object == nullptr);

    CHECK_HR(S_OK, canUnloadNow());
    IClassFactory* factory = nullptr;
    CHECK_HR(S_OK, getClassObject(CLSID_QuillAspObject, IID_IClassFactory, reinterpret_cast<void**>(&factory)));
    if (!factory) return;
    CHECK_HR(S_FALSE, canUnloadNow());
    CHECK_HR(S_OK, factory->LockServer(TRUE));
    ReleaseOnce(factory);
    CHECK_HR(S_FALSE, canUnloadNow());
    getClassObject(CLSID_QuillAspObject, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    IUnknown* outer = reinterpret_cast<IUnknown*>(factory);
    IUnknown* created = nullptr;
    CHECK_HR(CLASS_E_NOAGGREGATION, factory->CreateInstance(outer, IID_IUnknown, reinterpret_cast<void**>(&created)));
    CHECK_HR(S_OK, factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&created)));
    CHECK_HR(S_OK, factory->LockServer(FALSE));
    ReleaseOnce(factory);
    CHECK_HR(S_FALSE, canUnloadNow());
    ReleaseOnce(created);
    CHECK_HR(S_OK, canUnloadNow());

    // An unlock too many must not hide a live object, nor cancel a later lock.
    getClassObject(CLSID_QuillAspObject, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (!factory) return;
    CHECK_HR(S_OK, factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&created)));
    CHECK_HR(S_OK, factory->LockServer(FALSE));
    CHECK_HR(S_OK, factory->LockServer(FALSE));
    ReleaseOnce(factory);
    CHECK_HR(S_FALSE, canUnloadNow());
    ReleaseOnce(created);
    CHECK_HR(S_OK, canUnloadNow());
    getClassObject(CLSID_QuillAspObject, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (!factory) return;
    CHECK_HR(S_OK, factory->LockServer(TRUE));
    ReleaseOnce(factory);
    CHECK_HR(S_FALSE, canUnloadNow());
    getClassObject(CLSID_QuillAspObject, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (!factory) return;
    CHECK_HR(S_OK, factory->LockServer(FALSE));
    ReleaseOnce(factory);
    CHECK_HR(S_OK, canUnloadNow());
    FreeLibrary(library);
}

int RunChecks(const std::wstring& dllPath, const std::string& golden, const std::wstring& testDllPath) {
    CheckTypeLibrary();
    CheckLateBound(golden);
    CheckEarlyBound();
    CheckVtableSlots();
    CheckExports(dllPath);
    // Last: its registration checks leave the server registered afresh.
    CheckTestBuild(testDllPath, dllPath);
    std::printf("%s: %d failed checks\n", gFailures ? "FAILED" : "passed", gFailures);
    return gFailures;
}

// One page as the web server would send it, bytes unchanged.
int Serve() {
    TTestResponse response;
    TTestContext context(response);
    IQuillAspObject* object = NewObject();
    if (!object) return 1;
    HRESULT result = object->OnStartPage(&context);
    if (SUCCEEDED(result)) result = object->GetBody();
    object->OnEndPage();
    object->Release();
    if (FAILED(result) || response.Writes.size() != 1) {
        std::fprintf(stderr, "GetBody failed with 0x%08lX\n", static_cast<unsigned long>(result));
        return 1;
    }
    const std::wstring& page = response.Writes[0];
    // The page's characters as its design holds them: UTF-8.
    int length = WideCharToMultiByte(CP_UTF8, 0, page.data(), static_cast<int>(page.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, page.data(), static_cast<int>(page.size()), bytes.data(), length, nullptr, nullptr);
    // Text mode would turn each CR LF into CR CR LF.
    _setmode(_fileno(stdout), _O_BINARY);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 2;
    int status = 2;
    if (argc == 2 && std::wcscmp(argv[1], L"serve") == 0) {
        status = Serve();
    } else if (argc == 5 && std::wcscmp(argv[1], L"test") == 0) {
        std::wstring golden(argv[3]);
        status = RunChecks(argv[2], std::string(golden.begin(), golden.end()), argv[4]);
    } else {
        std::fprintf(stderr, "usage: quillasp_host serve | test DLL GOLDEN TESTDLL\n");
    }
    CoUninitialize();
    return status;
}
