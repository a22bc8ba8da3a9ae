#include "framework/TextHelpers.h"

#include <cerrno>
#include <cstdlib>

#include "framework/Exception.h"

namespace quill {

std::string Format(const std::string& pattern, std::initializer_list<TFormatArg> args) {
    std::string result;
    auto next = args.begin();
    for (size_t i = 0; i < pattern.size(); ++i) {
        char c = pattern[i];
        if (c != '%' || i + 1 == pattern.size()) {
            result += c;
            continue;
        }
        char directive = pattern[++i];
        if (directive == '%') {
            result += '%';
            continue;
        }
        if ((directive != 's' && directive != 'd') || next == args.end())
            throw Exception("Format '" + pattern + "' invalid or incompatible with argument");
        if (directive == 's' && std::holds_alternative<std::string>(*next))
            result += std::get<std::string>(*next);
        else if (directive == 'd' && std::holds_alternative<int64_t>(*next))
            result += IntToStr(std::get<int64_t>(*next));
        else
            throw Exception("Format '" + pattern + "' invalid or incompatible with argument");
        ++next;
    }
    return result;
}

std::string IntToStr(int64_t value) { return std::to_string(value); }

std::string IntToHex(uint64_t value, int digits) {
    static const char hex[] = "0123456789ABCDEF";
    std::string result;
    do {
        result.insert(result.begin(), hex[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    if (static_cast<int>(result.size()) < digits)
        result.insert(0, digits - result.size(), '0');
    return result;
}

int32_t StrToInt(const std::string& text) {
    auto fail = [&] { return Exception("'" + text + "' is not a valid integer value"); };
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.size()) throw fail();
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') throw fail();
        value = value * 10 + (text[i] - '0');
        if (value > int64_t{1} << 31) throw fail();
    }
    if (negative) value = -value;
    if (value > INT32_MAX) throw fail();
    return static_cast<int32_t>(value);
}

std::string LowerCase(const std::string& text) {
    std::string result = text;
    for (char& c : result)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return result;
}

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

std::string ExtractFilePath(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace quill
