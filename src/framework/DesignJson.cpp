#include "framework/DesignJson.h"

#include <cmath>
#include <vector>

#include "framework/DesignLimits.h"
#include "framework/Exception.h"

namespace quill {

namespace {

using json = nlohmann::json;

// Builds the value the parser reports, one event at a time. It keeps an
// explicit stack of open containers, so depth costs heap, never the stack.
class TDesignJsonBuilder {
public:
    explicit TDesignJsonBuilder(const std::string& text) : FText(text) {}

    json& Result() { return FResult; }
    const std::string& Problem() const { return FProblem; }

    bool null() { return Put(nullptr); }
    bool boolean(bool value) { return Put(value); }
    bool number_integer(json::number_integer_t value) { return Put(value); }
    bool number_unsigned(json::number_unsigned_t value) { return Put(value); }
    bool number_float(json::number_float_t value, const std::string& text) {
        if (!std::isfinite(value)) return Refuse("the number " + Clip(text) + " is out of range");
        return Put(value);
    }
    bool string(std::string& value) {
        if (value.size() > TDesignLimits::kMaxStringBytes) return Refuse(TooLong("a string"));
        return Put(std::move(value));
    }
    bool binary(json::binary_t&) { return Refuse("binary values are not JSON text"); }

    bool start_object(std::size_t) { return Open(json::object()); }
    bool start_array(std::size_t) { return Open(json::array()); }
    bool end_object() { return Close(); }
    bool end_array() { return Close(); }

    bool key(std::string& name) {
        if (name.size() > TDesignLimits::kMaxStringBytes) return Refuse(TooLong("a key"));
        auto& members = FOpen.back().Value->get_ref<json::object_t&>();
        // try_emplace leaves the name alone when the key is there already.
        auto [member, added] = members.try_emplace(std::move(name));
        if (!added) return Refuse(Where() + ": duplicate key \"" + Clip(name) + "\"");
        FOpen.back().Key = &member->first;
        FSlot = &member->second;
        return true;
    }

    bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception& e) {
        size_t offset = position == 0 ? 0 : position - 1;
        int line = 1, column = 1;
        for (size_t i = 0; i < offset && i < FText.size(); ++i) {
            if (FText[i] == '\n') {
                ++line;
                column = 1;
            } else {
                ++column;
            }
        }
        // Keep the parser's reason, without its own prefix and position.
        std::string what = e.what();
        size_t cut = what.find("parse error") == std::string::npos ? what.find("] ") : what.find(": ", what.find("parse error"));
        FProblem = std::to_string(line) + ":" + std::to_string(column) + ": invalid JSON: " +
                   (cut == std::string::npos ? what : what.substr(cut + 2));
        FProblemHasPlace = true;
        return false;
    }

    bool ProblemHasPlace() const { return FProblemHasPlace; }

private:
    struct TOpen {
        json* Value;
        const std::string* Key = nullptr;  // the last key read, for messages
    };

    // Stores a finished value where the parser is: the root, the next array
    // element or the value of the last key.
    json* Store(json value) {
        if (FOpen.empty()) {
            FResult = std::move(value);
            return &FResult;
        }
        json& container = *FOpen.back().Value;
        if (container.is_array()) {
            container.push_back(std::move(value));
            return &container.back();
        }
        *FSlot = std::move(value);
        return FSlot;
    }

    bool Put(json value) {
        Store(std::move(value));
        return true;
    }

    bool Open(json empty) {
        if (FOpen.size() >= TDesignLimits::kMaxJsonDepth)
            return Refuse("JSON nested more than " + std::to_string(TDesignLimits::kMaxJsonDepth) +
                          " levels deep (components nest at most " + std::to_string(TDesignLimits::kMaxNesting) +
                          " levels)");
        FOpen.push_back({Store(std::move(empty)), nullptr});
        return true;
    }

    bool Close() {
        FOpen.pop_back();
        return true;
    }

    bool Refuse(const std::string& problem) {
        FProblem = problem;
        return false;
    }

    std::string TooLong(const std::string& what) const {
        return Where() + ": " + what + " longer than " + std::to_string(TDesignLimits::kMaxStringBytes) + " bytes";
    }

    // The place in the JSON structure: keys and array positions from the root.
    std::string Where() const {
        std::string path = "(root)";
        for (size_t i = 0; i + 1 < FOpen.size(); ++i) {
            const json& v = *FOpen[i].Value;
            path += v.is_array() ? "[" + std::to_string(v.size() - 1) + "]"
                                 : "." + Clip(FOpen[i].Key ? *FOpen[i].Key : std::string());
        }
        return path;
    }

    static std::string Clip(const std::string& text) { return text.size() <= 40 ? text : text.substr(0, 40) + "..."; }

    const std::string& FText;
    json FResult;
    std::vector<TOpen> FOpen;
    json* FSlot = nullptr;
    std::string FProblem;
    bool FProblemHasPlace = false;
};

}  // namespace

json ParseDesignJson(const std::string& text, const std::string& fileName) {
    if (text.size() > TDesignLimits::kMaxFileBytes)
        throw Exception(fileName + ": the design is larger than " + std::to_string(TDesignLimits::kMaxFileBytes) +
                        " bytes");
    TDesignJsonBuilder builder(text);
    bool ok;
    try {
        ok = json::sax_parse(text, &builder);
    } catch (const json::exception& e) {
        throw Exception(fileName + ": invalid JSON: " + e.what());
    }
    if (ok) return std::move(builder.Result());
    throw Exception(fileName + (builder.ProblemHasPlace() ? ":" : ": ") + builder.Problem());
}

}  // namespace quill
