#pragma once

#include <windows.h>
#include <asptlb.h>

#include <functional>
#include <string>
#include <vector>

namespace quill::asp::test {

// Counts references, so the tests can tell that the object gives back
// every one it takes.
class TCounted {
public:
    LONG References() const { return FReferences; }

protected:
    ULONG AddReference() { return static_cast<ULONG>(InterlockedIncrement(&FReferences)); }
    // The test owns these objects on its stack; a count below one is a
    // release too many and is reported, not deleted.
    ULONG DropReference();

private:
    LONG FReferences = 1;
};

// A counted ASP interface whose IDispatch side the object never uses.
template <class Interface>
class TFakeAspObject : public Interface, public TCounted {
public:
    ULONG WINAPI AddRef() override { return AddReference(); }
    ULONG WINAPI Release() override { return DropReference(); }
    HRESULT WINAPI GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT WINAPI GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT WINAPI GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT WINAPI Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }
};

// The response of the ASP host: captures every Write, or fails it with a
// chosen result.
class TTestResponse : public TFakeAspObject<IResponse> {
public:
    std::vector<std::wstring> Writes;
    HRESULT WriteResult = S_OK;
    // Called at each Write, before it is answered.
    std::function<void()> OnWrite;

    HRESULT WINAPI QueryInterface(REFIID riid, void** object) override;
    HRESULT WINAPI get_Buffer(VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT WINAPI put_Buffer(VARIANT_BOOL) override { return E_NOTIMPL; }
    HRESULT WINAPI get_ContentType(BSTR*) override { return E_NOTIMPL; }
    HRESULT WINAPI put_ContentType(BSTR) override { return E_NOTIMPL; }
    HRESULT WINAPI get_Expires(VARIANT*) override { return E_NOTIMPL; }
    HRESULT WINAPI put_Expires(__LONG32) override { return E_NOTIMPL; }
    HRESULT WINAPI get_ExpiresAbsolute(VARIANT*) override { return E_NOTIMPL; }
    HRESULT WINAPI put_ExpiresAbsolute(DATE) override { return E_NOTIMPL; }
    HRESULT WINAPI get_Cookies(IRequestDictionary**) override { return E_NOTIMPL; }
    HRESULT WINAPI get_Status(BSTR*) override { return E_NOTIMPL; }
    HRESULT WINAPI put_Status(BSTR) override { return E_NOTIMPL; }
    HRESULT WINAPI Add(BSTR, BSTR) override { return E_NOTIMPL; }
    HRESULT WINAPI AddHeader(BSTR, BSTR) override { return E_NOTIMPL; }
    HRESULT WINAPI AppendToLog(BSTR) override { return E_NOTIMPL; }
    HRESULT WINAPI BinaryWrite(VARIANT) override { return E_NOTIMPL; }
    HRESULT WINAPI Clear() override { return E_NOTIMPL; }
    HRESULT WINAPI End() override { return E_NOTIMPL; }
    HRESULT WINAPI Flush() override { return E_NOTIMPL; }
    HRESULT WINAPI Redirect(BSTR) override { return E_NOTIMPL; }
    HRESULT WINAPI Write(VARIANT text) override;
    HRESULT WINAPI WriteBlock(short) override { return E_NOTIMPL; }
    HRESULT WINAPI IsClientConnected(VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT WINAPI get_CharSet(BSTR*) override { return E_NOTIMPL; }
    HRESULT WINAPI put_CharSet(BSTR) override { return E_NOTIMPL; }
    HRESULT WINAPI Pics(BSTR) override { return E_NOTIMPL; }
    HRESULT WINAPI get_CacheControl(BSTR*) override { return E_NOTIMPL; }
    HRESULT WINAPI put_CacheControl(BSTR) override { return E_NOTIMPL; }
};

// The scripting context the ASP host hands to OnStartPage.
class TTestContext : public TFakeAspObject<IScriptingContext> {
public:
    explicit TTestContext(TTestResponse& response) : FResponse(response) {}

    HRESULT WINAPI QueryInterface(REFIID riid, void** object) override;
    HRESULT WINAPI get_Request(IRequest**) override { return E_NOTIMPL; }
    HRESULT WINAPI get_Response(IResponse** response) override;
    HRESULT WINAPI get_Server(IServer**) override { return E_NOTIMPL; }
    HRESULT WINAPI get_Session(ISessionObject**) override { return E_NOTIMPL; }
    HRESULT WINAPI get_Application(IApplicationObject**) override { return E_NOTIMPL; }

private:
    TTestResponse& FResponse;
};

// An object that is no scripting context.
class TPlainObject : public IUnknown, public TCounted {
public:
    HRESULT WINAPI QueryInterface(REFIID riid, void** object) override;
    ULONG WINAPI AddRef() override { return AddReference(); }
    ULONG WINAPI Release() override { return DropReference(); }
};

// Set when any test object was released more often than referenced.
extern bool gOverReleased;

}  // namespace quill::asp::test
