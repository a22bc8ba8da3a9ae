#include "aspserver/ComText.h"

#include <climits>
#include <new>

#include "framework/Exception.h"

namespace quill::asp {

namespace {

// The conversion calls count in int; a longer text is refused rather
// than cut short.
int CheckedLength(size_t size) {
    if (size > static_cast<size_t>(INT_MAX))
        throw Exception("The text of " + std::to_string(size) + " units is too long for an OLE string");
    return static_cast<int>(size);
}

}  // namespace

// The page is UTF-8, as its design is: the ANSI code page would turn every
// character beyond ASCII into others.
std::wstring WideFromUtf8(const std::string& text) {
    if (text.empty()) return {};
    const int size = CheckedLength(text.size());
    int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    if (length <= 0)
        throw Exception("Cannot convert the text to UTF-16: system error " + std::to_string(GetLastError()));
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string Utf8FromWide(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = CheckedLength(text.size());
    int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return {};
    std::string narrow(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, narrow.data(), length, nullptr, nullptr);
    return narrow;
}

TTextVariant::TTextVariant(const std::string& utf8Text) {
    VariantInit(&FValue);
    std::wstring wide = WideFromUtf8(utf8Text);
    BSTR text = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    if (!text) throw std::bad_alloc();
    FValue.vt = VT_BSTR;
    FValue.bstrVal = text;
}

}  // namespace quill::asp
