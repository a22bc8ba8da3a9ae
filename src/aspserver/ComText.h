#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

namespace quill::asp {

// 8-bit text of the process's ANSI code page as UTF-16.
std::wstring WideFromAnsi(const std::string& text);
// UTF-16 text in the process's ANSI code page, for messages.
std::string AnsiFromWide(const std::wstring& text);

// An OLE text variant (VT_BSTR) that frees its string when destroyed.
class TTextVariant {
public:
    explicit TTextVariant(const std::string& ansiText);
    TTextVariant(const TTextVariant&) = delete;
    TTextVariant& operator=(const TTextVariant&) = delete;
    ~TTextVariant() { VariantClear(&FValue); }

    const VARIANT& Get() const { return FValue; }

private:
    VARIANT FValue;
};

}  // namespace quill::asp
