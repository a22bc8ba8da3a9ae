#include "TestBuildCheck.h"

#include <windows.h>
#include <asptlb.h>

#include <cstdio>

#include "Check.h"
#include "FakeAspHost.h"
#include "QuillAsp_h.h"

namespace quill::asp::test {

namespace {

template <class F>
F Export(HMODULE library, const char* name) {
    // Through a plain function pointer type, which any function pointer may become.
    auto found = reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
    if (!found) std::fprintf(stderr, "the test build lacks the export %s\n", name);
    return found;
}

// The test build's exports.
struct TTestServer {
    explicit TTestServer(HMODULE library)
        : GetClassObject(Export<decltype(GetClassObject)>(library, "DllGetClassObject")),
          Register(Export<decltype(Register)>(library, "DllRegisterServer")),
          Unregister(Export<decltype(Unregister)>(library, "DllUnregisterServer")),
          FailStep(Export<decltype(FailStep)>(library, "QuillAspTestFailStep")),
          StepsRun(Export<decltype(StepsRun)>(library, "QuillAspTestStepsRun")),
          SetCaption(Export<decltype(SetCaption)>(library, "QuillAspTestSetCaption")),
          LiveForms(Export<decltype(LiveForms)>(library, "QuillAspTestLiveForms")) {}

    bool Complete() const {
        return GetClassObject && Register && Unregister && FailStep && StepsRun && SetCaption && LiveForms;
    }

    // A new object from the test build's own factory.
    IQuillAspObject* NewObject() const {
        IClassFactory* factory = nullptr;
        IQuillAspObject* object = nullptr;
        CHECK_HR(S_OK, GetClassObject(CLSID_QuillAspObject, IID_IClassFactory, reinterpret_cast<void**>(&factory)));
        if (!factory) return nullptr;
        CHECK_HR(S_OK, factory->CreateInstance(nullptr, IID_IQuillAspObject, reinterpret_cast<void**>(&object)));
        factory->Release();
        return object;
    }

    HRESULT(WINAPI* GetClassObject)(REFCLSID, REFIID, void**);
    HRESULT(WINAPI* Register)();
    HRESULT(WINAPI* Unregister)();
    void(WINAPI* FailStep)(int);
    int(WINAPI* StepsRun)();
    void(WINAPI* SetCaption)(const char*);
    long(WINAPI* LiveForms)();
};

// The page that GetBody writes with the label's caption set to `utf8`.
std::wstring PageWithCaption(const TTestServer& server, const char* utf8) {
    TTestResponse response;
    TTestContext context(response);
    IQuillAspObject* object = server.NewObject();
    if (!object) return {};
    server.SetCaption(utf8);
    CHECK_HR(S_OK, object->OnStartPage(&context));
    CHECK_HR(S_OK, object->GetBody());
    object->Release();
    server.SetCaption(nullptr);
    CHECK(response.Writes.size() == 1);
    return response.Writes.empty() ? std::wstring() : response.Writes[0];
}

void CheckCharacters(const TTestServer& server) {
    // Unless the ANSI code page differs from UTF-8, this could not tell a
    // conversion from the wrong one.
    CHECK(GetACP() != CP_UTF8);
    const struct {
        const char* Caption;
        const wchar_t* Shown;
    } cases[] = {
        {"\xC3\xA9 \xC3\x9F \xD0\x96 \xE6\x9D\xB1", L"\u00E9 \u00DF \u0416 \u6771"},
        {"Caf\xC3\xA9 Z\xC3\xBCrich Stra\xC3\x9F" "e", L"Caf\u00E9 Z\u00FCrich Stra\u00DF" L"e"},
        // A malformed sequence stands for one replacement character; the
        // rest of the text comes through.
        {"a\xFFz", L"a\uFFFDz"},
    };
    for (const auto& c : cases) {
        std::wstring page = PageWithCaption(server, c.Caption);
        std::wstring cell = std::wstring(L"color=\"#000000\">") + c.Shown + L"</font></td>\r\n";
        CHECK(page.find(cell) != std::wstring::npos);
        if (page.find(cell) == std::wstring::npos)
            std::fprintf(stderr, "  caption \"%s\" not found in the page\n", c.Caption);
    }
}

void CheckFormsFreed(const TTestServer& server) {
    TTestResponse response;
    TTestContext context(response);
    IQuillAspObject* object = server.NewObject();
    if (!object) return;
    CHECK(server.LiveForms() == 0);
    // Without a context: the page is made, then refused.
    CHECK_HR(E_UNEXPECTED, object->GetBody());
    CHECK(server.LiveForms() == 0);
    // A refused write: the form lived while writing, and is gone after.
    long whileWriting = -1;
    response.OnWrite = [&] { whileWriting = server.LiveForms(); };
    response.WriteResult = E_OUTOFMEMORY;
    CHECK_HR(S_OK, object->OnStartPage(&context));
    CHECK_HR(E_OUTOFMEMORY, object->GetBody());
    CHECK(whileWriting == 1);
    CHECK(server.LiveForms() == 0);
    // And after a write that worked.
    response.WriteResult = S_OK;
    CHECK_HR(S_OK, object->GetBody());
    CHECK(server.LiveForms() == 0);
    response.OnWrite = nullptr;
    object->Release();
}

// Fails each step of `call` in turn: every failure must come back as
// E_FAIL. The last round fails none and must succeed.
void CheckEachStepFails(const TTestServer& server, HRESULT(WINAPI* call)(), const char* name, int leastSteps) {
    int step = 1;
    for (; step < 100; ++step) {
        server.FailStep(step);
        HRESULT result = call();
        if (server.StepsRun() < step) {
            CHECK_HR(S_OK, result);
            break;
        }
        if (result != E_FAIL) std::fprintf(stderr, "  %s with step %d failing:\n", name, step);
        CHECK_HR(E_FAIL, result);
    }
    server.FailStep(0);
    if (step - 1 < leastSteps) std::fprintf(stderr, "  %s took %d steps\n", name, step - 1);
    CHECK(step - 1 >= leastSteps);
}

}  // namespace

void CheckTestBuild(const std::wstring& testDll, const std::wstring& serverDll) {
    HMODULE library = LoadLibraryW(testDll.c_str());
    CHECK(library != nullptr);
    if (!library) return;
    TTestServer server(library);
    CHECK(server.Complete());
    if (server.Complete()) {
        CheckCharacters(server);
        CheckFormsFreed(server);
        // The type library and eight values; the type library and two keys.
        CheckEachStepFails(server, server.Register, "DllRegisterServer", 9);
        CheckEachStepFails(server, server.Unregister, "DllUnregisterServer", 3);
    }
    FreeLibrary(library);
    HMODULE original = LoadLibraryW(serverDll.c_str());
    CHECK(original != nullptr);
    if (!original) return;
    auto registerServer = Export<HRESULT(WINAPI*)()>(original, "DllRegisterServer");
    CHECK(registerServer && registerServer() == S_OK);
    FreeLibrary(original);
}

}  // namespace quill::asp::test
