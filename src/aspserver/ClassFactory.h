#pragma once

#include <windows.h>
#include <unknwn.h>

namespace quill::asp {

// The factory of QuillAspObject: every request makes a new object
// (multi-instance). It lives as long as the library; references that
// callers hold, and their locks, keep the library loaded.
class TQuillAspFactory : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;
};

// The one factory, made when the library is loaded.
TQuillAspFactory& TheFactory();

}  // namespace quill::asp
