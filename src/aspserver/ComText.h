#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

namespace quill::asp {

// UTF-8 text, as designs and pages hold it, in UTF-16. A malformed
// sequence becomes U+FFFD and the rest of the text is kept.
std::wstring WideFromUtf8(const std::string& text);
// UTF-16 text in UTF-8, for messages and key names.
std::string Utf8FromWide(const std::wstring& text);

// An OLE text variant (VT_BSTR) of UTF-8 text that frees its string when
// destroyed.
class TTextVariant {
public:
    explicit TTextVariant(const std::string& utf8Text);
    TTextVariant(const TTextVariant&) = delete;
    TTextVariant& operator=(const TTextVariant&) = delete;
    ~TTextVariant() { VariantClear(&FValue); }

    const VARIANT& Get() const { return FValue; }

private:
    VARIANT FValue;
};

}  // namespace quill::asp
