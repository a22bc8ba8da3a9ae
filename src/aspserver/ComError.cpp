#include "aspserver/ComError.h"

#include <oleauto.h>

#include <cstdio>
#include <exception>

#include "aspserver/ComPtr.h"
#include "aspserver/ComText.h"

namespace quill::asp {

namespace {

std::string HexResult(HRESULT code) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(code));
    return text;
}

void SetErrorInformation(REFGUID interfaceId, const std::wstring& source, const std::string& message) {
    TComPtr<ICreateErrorInfo> create;
    if (FAILED(CreateErrorInfo(create.Put()))) return;
    create->SetGUID(interfaceId);
    create->SetSource(const_cast<LPOLESTR>(source.c_str()));
    // Runs in a catch block, so nothing may raise here.
    std::wstring description = L"Unknown error";
    try {
        description = WideFromUtf8(message);
    } catch (...) {
    }
    create->SetDescription(const_cast<LPOLESTR>(description.c_str()));
    TComPtr<IErrorInfo> info;
    if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(info.Put()))))
        SetErrorInfo(0, info.Get());
}

}  // namespace

EOleSysError::EOleSysError(const std::string& message, HRESULT code) : Exception(message), FCode(code) {}

void OleCheck(HRESULT result, const std::string& what) {
    if (FAILED(result)) throw EOleSysError(what + " failed with " + HexResult(result), result);
}

HRESULT HandleMethodException(REFGUID interfaceId, const std::wstring& source) {
    HRESULT code = E_UNEXPECTED;
    std::string message = "Unknown error";
    // No exception may cross the COM boundary, so everything is caught here.
    try {
        throw;
    } catch (const EOleSysError& e) {
        code = e.Code();
        message = e.what();
    } catch (const std::exception& e) {
        message = e.what();
    } catch (...) {
    }
    SetErrorInformation(interfaceId, source, message);
    return code;
}

}  // namespace quill::asp
