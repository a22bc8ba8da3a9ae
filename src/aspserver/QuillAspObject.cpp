#include "aspserver/QuillAspObject.h"

#include <memory>
#include <new>

#include "aspserver/ComError.h"
#include "aspserver/ComText.h"
#include "aspserver/PageOne.h"
#include "aspserver/ServerModule.h"
#include "aspserver/TestSeams.h"

namespace quill::asp {

namespace {

// Runs one method's work; anything it raises becomes the method's failing
// result with error information.
template <class F>
HRESULT Guarded(F&& work) {
    try {
        work();
        return S_OK;
    } catch (...) {
        return HandleMethodException(IID_IQuillAspObject, kProgId);
    }
}

}  // namespace

TQuillAspObject::TQuillAspObject() { ObjectCreated(); }
TQuillAspObject::~TQuillAspObject() { ObjectDestroyed(); }

HRESULT TQuillAspObject::Create(TQuillAspObject** object) {
    *object = nullptr;
    auto* created = new (std::nothrow) TQuillAspObject;
    if (!created) return E_OUTOFMEMORY;
    TComPtr<ITypeLib> lib;
    HRESULT result = LoadServerTypeLib(lib.Put());
    if (SUCCEEDED(result)) result = lib->GetTypeInfoOfGuid(IID_IQuillAspObject, created->FTypeInfo.Put());
    if (FAILED(result)) {
        created->Release();
        return result;
    }
    *object = created;
    return S_OK;
}

HRESULT TQuillAspObject::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IQuillAspObject)
        *object = static_cast<IQuillAspObject*>(this);
    else if (riid == IID_ISupportErrorInfo)
        *object = static_cast<ISupportErrorInfo*>(this);
    else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG TQuillAspObject::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&FReferences)); }

ULONG TQuillAspObject::Release() {
    LONG left = InterlockedDecrement(&FReferences);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT TQuillAspObject::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
}

HRESULT TQuillAspObject::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    FTypeInfo->AddRef();
    *info = FTypeInfo.Get();
    return S_OK;
}

HRESULT TQuillAspObject::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    return DispGetIDsOfNames(FTypeInfo.Get(), names, count, ids);
}

HRESULT TQuillAspObject::Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                EXCEPINFO* exception, UINT* argError) {
    if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    return FTypeInfo->Invoke(static_cast<IQuillAspObject*>(this), id, flags, params, result, exception, argError);
}

HRESULT TQuillAspObject::OnStartPage(IUnknown* AScriptingContext) {
    return Guarded([&] { StartPage(AScriptingContext); });
}

HRESULT TQuillAspObject::OnEndPage() {
    return Guarded([&] { FContext.Reset(); });
}

HRESULT TQuillAspObject::GetBody() {
    return Guarded([&] { WriteBody(); });
}

HRESULT TQuillAspObject::InterfaceSupportsErrorInfo(REFIID riid) {
    return riid == IID_IQuillAspObject ? S_OK : S_FALSE;
}

void TQuillAspObject::StartPage(IUnknown* context) {
    FContext.Reset();
    if (!context) return;
    if (FAILED(context->QueryInterface(IID_IScriptingContext, reinterpret_cast<void**>(FContext.Put()))) || !FContext) {
        FContext.Reset();
        throw Exception("OnStartPage: the object passed is not an ASP scripting context");
    }
}

void TQuillAspObject::WriteBody() {
    // The form is freed on every way out of here.
    std::unique_ptr<TPageOneForm> form = TPageOneForm::Create();
    PreparePageForm(*form);
    TStrings* lines = form->QuillHtmlGenerator1->Generate();
    if (!lines) throw Exception("GetBody: the page generator produced no page");
    TTextVariant page(lines->Text());
    if (!FContext) throw Exception("GetBody: no scripting context is held; OnStartPage must come first");
    TComPtr<IResponse> response;
    OleCheck(FContext->get_Response(response.Put()), "GetBody: IScriptingContext.Response");
    if (!response) throw Exception("GetBody: the scripting context has no response");
    OleCheck(response->Write(page.Get()), "GetBody: IResponse.Write");
}

}  // namespace quill::asp
