#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace quill {

using TFormatArg = std::variant<std::string, int64_t>;

// Replaces each "%s" and "%d" in order with the next argument; "%%" is a
// percent sign. Raises Exception when arguments and placeholders differ.
std::string Format(const std::string& pattern, std::initializer_list<TFormatArg> args);

std::string IntToStr(int64_t value);

// Upper-case hexadecimal digits, at least `digits` of them.
std::string IntToHex(uint64_t value, int digits);

// Optional "+" or "-", then decimal digits, all within 32 bits; anything else
// raises Exception.
int32_t StrToInt(const std::string& text);

// Changes the ASCII letters A to Z only, so 8-bit text passes untouched.
std::string LowerCase(const std::string& text);
bool SameText(std::string_view a, std::string_view b);

// The folder part of a path, ending in a path separator ("" when none).
std::string ExtractFilePath(const std::string& path);

}  // namespace quill
