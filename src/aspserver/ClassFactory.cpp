#include "aspserver/ClassFactory.h"

#include "aspserver/QuillAspObject.h"
#include "aspserver/ServerModule.h"

namespace quill::asp {

HRESULT TQuillAspFactory::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (riid != IID_IUnknown && riid != IID_IClassFactory) {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    *object = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
}

// The library owns the factory; a reference only keeps the library loaded.
ULONG TQuillAspFactory::AddRef() {
    FactoryReferenced();
    return 2;
}

ULONG TQuillAspFactory::Release() {
    FactoryReleased();
    return 1;
}

HRESULT TQuillAspFactory::CreateInstance(IUnknown* outer, REFIID riid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    TQuillAspObject* created = nullptr;
    HRESULT result = TQuillAspObject::Create(&created);
    if (FAILED(result)) return result;
    result = created->QueryInterface(riid, object);
    created->Release();
    return result;
}

HRESULT TQuillAspFactory::LockServer(BOOL lock) {
    if (lock)
        ServerLocked();
    else
        ServerUnlocked();
    return S_OK;
}

TQuillAspFactory& TheFactory() {
    static TQuillAspFactory factory;
    return factory;
}

}  // namespace quill::asp
