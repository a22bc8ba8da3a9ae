#pragma once

#include <windows.h>

#include <string>

#include "framework/Exception.h"

namespace quill::asp {

// An error that carries a failing COM result, such as one returned by the
// ASP host's response.
class EOleSysError : public Exception {
public:
    EOleSysError(const std::string& message, HRESULT code);
    HRESULT Code() const { return FCode; }

private:
    HRESULT FCode;
};

// Raises EOleSysError when `result` fails; `what` names the call.
void OleCheck(HRESULT result, const std::string& what);

// Turns the exception being handled into the method's result, and sets COM
// error information with the interface, the source and the message. Call
// it only from a catch block.
HRESULT HandleMethodException(REFGUID interfaceId, const std::wstring& source);

}  // namespace quill::asp
