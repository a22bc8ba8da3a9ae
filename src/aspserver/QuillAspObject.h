#pragma once

#include <windows.h>
#include <asptlb.h>

#include <string>

#include "QuillAsp_h.h"
#include "aspserver/ComPtr.h"

namespace quill::asp {

// The page object an ASP script creates: the host hands it its scripting
// context in OnStartPage, and GetBody writes the page of a fresh
// TPageOneForm into the response. IDispatch is served from the type
// library, and every failure comes back as a failing HRESULT with COM
// error information.
class TQuillAspObject final : public IQuillAspObject, public ISupportErrorInfo {
public:
    // Makes an object with one reference, or returns the failure.
    static HRESULT Create(TQuillAspObject** object);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID locale, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argError) override;

    // IQuillAspObject
    HRESULT STDMETHODCALLTYPE OnStartPage(IUnknown* AScriptingContext) override;
    HRESULT STDMETHODCALLTYPE OnEndPage() override;
    HRESULT STDMETHODCALLTYPE GetBody() override;

    // ISupportErrorInfo
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) override;

private:
    TQuillAspObject();
    ~TQuillAspObject();

    void StartPage(IUnknown* context);
    void WriteBody();

    LONG FReferences = 1;
    TComPtr<ITypeInfo> FTypeInfo;
    TComPtr<IScriptingContext> FContext;
};

}  // namespace quill::asp
