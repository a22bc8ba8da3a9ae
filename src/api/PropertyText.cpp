#include "api/PropertyText.h"

#include <charconv>
#include <cstdint>

#include "framework/DesignLimits.h"
#include "framework/Exception.h"
#include "framework/TextHelpers.h"

namespace quill {

namespace {

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

[[noreturn]] void Fail(const std::string& place, const std::string& problem) { throw Exception(place + ": " + problem); }

// Optional "+" or "-", then decimal digits; out of the 64-bit range is
// said as the reader says a value out of range.
bool ParseInteger(std::string_view text, int64_t& value, const std::string& place) {
    const bool plus = !text.empty() && text[0] == '+';
    std::string_view digits = plus ? text.substr(1) : text;
    if (digits.empty() || digits[0] == '+' || (plus && digits[0] == '-')) return false;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (end != digits.data() + digits.size()) return false;
    if (error == std::errc::result_out_of_range) Fail(place, "value " + std::string(text) + " out of range");
    return error == std::errc();
}

std::string_view Trimmed(std::string_view text) {
    const char* blanks = " \t";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// "fsBold,fsItalic" or "[fsBold, fsItalic]"; "" and "[]" are the empty set.
nlohmann::json SetMembers(std::string_view text) {
    text = Trimmed(text);
    if (text.size() >= 2 && text.front() == '[' && text.back() == ']') text = Trimmed(text.substr(1, text.size() - 2));
    nlohmann::json members = nlohmann::json::array();
    if (text.empty()) return members;
    for (;;) {
        size_t comma = text.find(',');
        members.push_back(std::string(Trimmed(text.substr(0, comma))));
        if (comma == std::string_view::npos) return members;
        text = text.substr(comma + 1);
    }
}

}  // namespace

nlohmann::json PropertyTextValue(const TPropInfo& prop, std::string_view text, const std::string& place) {
    if (text.size() > TDesignLimits::kMaxStringBytes)
        Fail(place, "a value longer than " + std::to_string(TDesignLimits::kMaxStringBytes) + " bytes");
    int64_t number = 0;
    switch (prop.Kind) {
    case TPropKind::Integer:
        if (!ParseInteger(text, number, place)) Fail(place, "expected an integer, got " + Quoted(text));
        return number;
    case TPropKind::Boolean:
        if (SameText(text, "true")) return true;
        if (SameText(text, "false")) return false;
        Fail(place, "expected true or false, got " + Quoted(text));
    case TPropKind::Color:
        // A design gives a colour as a name or as its number.
        if (ParseInteger(text, number, place)) return number;
        return std::string(text);
    case TPropKind::Set:
        return SetMembers(text);
    case TPropKind::Object:
        Fail(place, "a " + prop.TypeName + " takes its values one by one, as " + place + ".PROPERTY");
    case TPropKind::Reference:
        if (text.empty()) return nullptr;
        return std::string(text);
    case TPropKind::String:
    case TPropKind::Enum:
    case TPropKind::Event:
        break;
    }
    return std::string(text);
}

}  // namespace quill
