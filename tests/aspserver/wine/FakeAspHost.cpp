#include "FakeAspHost.h"

namespace quill::asp::test {

bool gOverReleased = false;

ULONG TCounted::DropReference() {
    LONG left = InterlockedDecrement(&FReferences);
    if (left < 1) gOverReleased = true;
    return static_cast<ULONG>(left);
}

namespace {

template <class Interface, class Object>
HRESULT Offer(Object* self, REFIID riid, REFIID own, void** object) {
    if (!object) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == own) {
        *object = static_cast<Interface*>(self);
        self->AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

}  // namespace

HRESULT TTestResponse::QueryInterface(REFIID riid, void** object) {
    return Offer<IResponse>(this, riid, IID_IResponse, object);
}

HRESULT TTestResponse::Write(VARIANT text) {
    if (OnWrite) OnWrite();
    if (FAILED(WriteResult)) return WriteResult;
    if (text.vt != VT_BSTR) return DISP_E_TYPEMISMATCH;
    Writes.emplace_back(text.bstrVal, SysStringLen(text.bstrVal));
    return S_OK;
}

HRESULT TTestContext::QueryInterface(REFIID riid, void** object) {
    return Offer<IScriptingContext>(this, riid, IID_IScriptingContext, object);
}

HRESULT TTestContext::get_Response(IResponse** response) {
    if (!response) return E_POINTER;
    FResponse.AddRef();
    *response = &FResponse;
    return S_OK;
}

HRESULT TPlainObject::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (riid == IID_IUnknown) {
        *object = static_cast<IUnknown*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

}  // namespace quill::asp::test
