#include "framework/DesignTree.h"

#include <cstring>

#include "framework/DesignLimits.h"

namespace quill {

const TDesignValue* TDesignValue::Find(std::string_view key) const {
    if (FType != TType::Object) return nullptr;
    for (const TDesignValue& member : *this)
        if (member.FKey == key) return &member;
    return nullptr;
}

bool TDesignValue::SameAs(const TDesignValue& other) const {
    if (FType != other.FType) return false;
    switch (FType) {
    case TType::Null:
    case TType::Float:
        return true;
    case TType::Boolean:
        return FBool == other.FBool;
    case TType::Integer:
    case TType::Unsigned:
        return FInt == other.FInt;
    case TType::String:
        return FText == other.FText;
    case TType::Array:
    case TType::Object:
        break;
    }
    if (FCount != other.FCount) return false;
    // Depth is bounded by the design limits, as for every tree made here.
    auto mine = begin();
    for (auto theirs = other.begin(); theirs != other.end(); ++theirs, ++mine) {
        const TDesignValue* match = FType == TType::Object ? Find(theirs->FKey) : &*mine;
        if (!match || !match->SameAs(*theirs)) return false;
    }
    return true;
}

// Appends values in document order and closes containers once their
// members are in.
class TDesignTreeBuilder {
public:
    explicit TDesignTreeBuilder(TDesignTree& tree) : FTree(tree) {}

    TDesignValue& Add(TDesignValue::TType type, std::string_view key) {
        TDesignValue& value = FTree.FValues.emplace_back();
        value.FType = type;
        value.FKey = key;
        return value;
    }
    void AddBoolean(std::string_view key, bool value) { Add(TDesignValue::TType::Boolean, key).FBool = value; }
    void AddNumber(TDesignValue::TType type, std::string_view key, int64_t value) { Add(type, key).FInt = value; }
    void AddString(std::string_view key, std::string_view text) { Add(TDesignValue::TType::String, key).FText = text; }
    size_t Size() const { return FTree.FValues.size(); }
    void Close(size_t index, uint32_t count) {
        TDesignValue& value = FTree.FValues[index];
        value.FSize = static_cast<uint32_t>(Size() - index);
        value.FCount = count;
    }
    std::string& NewDecoded() { return FTree.FDecoded.emplace_back(); }

    // Copies a parsed JSON value. Recursion is bounded: ParseDesignJson
    // refuses nesting beyond the design limits.
    void Copy(const nlohmann::json& json, std::string_view key) {
        using TType = TDesignValue::TType;
        using V = nlohmann::json::value_t;
        switch (json.type()) {
        case V::boolean:
            AddBoolean(key, json.get<bool>());
            break;
        case V::number_integer:
            AddNumber(TType::Integer, key, json.get<int64_t>());
            break;
        case V::number_unsigned:
            AddNumber(TType::Unsigned, key, static_cast<int64_t>(json.get<uint64_t>()));
            break;
        case V::number_float:
            Add(TType::Float, key);
            break;
        case V::string:
            AddString(key, json.get_ref<const std::string&>());
            break;
        case V::array:
        case V::object: {
            size_t index = Size();
            Add(json.is_array() ? TType::Array : TType::Object, key);
            if (json.is_array())
                for (const nlohmann::json& element : json) Copy(element, {});
            else
                for (auto it = json.begin(); it != json.end(); ++it) Copy(*it, it.key());
            Close(index, static_cast<uint32_t>(json.size()));
            break;
        }
        default:
            Add(TType::Null, key);
            break;
        }
    }

private:
    TDesignTree& FTree;
};

namespace {

using TType = TDesignValue::TType;

// The bytes that stand for themselves within a string, looked up rather
// than tested in turn: not a quote, backslash, control byte or non-ASCII.
struct TPlainBytes {
    bool Is[256];
    constexpr TPlainBytes() : Is() {
        for (int c = 0x20; c < 0x80; ++c) Is[c] = c != '"' && c != '\\';
    }
};

constexpr TPlainBytes kPlainBytes{};

// Reads JSON text in the plain form, answering false on anything else. It
// never explains: the full parser does that. Open containers sit on an
// explicit stack bounded by the depth limit.
class TPlainParser {
public:
    TPlainParser(std::string_view text, TDesignTreeBuilder& out)
        : FAt(text.data()), FEnd(text.data() + text.size()), FOut(out) {}

    bool Run() {
        SkipSpace();
        if (!Value({})) return false;
        while (!FOpen.empty()) {
            SkipSpace();
            if (FAt == FEnd) return false;
            TOpen& top = FOpen.back();
            if (*FAt == (top.Object ? '}' : ']')) {
                ++FAt;
                FOut.Close(top.Index, top.Count);
                FKeys.resize(top.FirstKey);
                FOpen.pop_back();
                continue;
            }
            if (top.Count > 0) {
                if (*FAt != ',') return false;
                ++FAt;
                SkipSpace();
            }
            ++top.Count;
            std::string_view key;
            if (top.Object && !Member(top, key)) return false;
            if (!Value(key)) return false;
        }
        SkipSpace();
        return FAt == FEnd;
    }

private:
    struct TOpen {
        size_t Index;     // of the container's value
        uint32_t Count;   // members or elements so far
        bool Object;
        size_t FirstKey;  // its keys in FKeys start here
    };

    // A big object might be hostile: comparing every key with every other
    // would cost the square of its size. The full parser takes those.
    static constexpr uint32_t kMaxPlainMembers = 64;

    // A member's key and the colon after it.
    bool Member(TOpen& object, std::string_view& key) {
        if (object.Count > kMaxPlainMembers || FAt == FEnd || *FAt != '"' || !String(key)) return false;
        for (size_t i = object.FirstKey; i < FKeys.size(); ++i)
            if (FKeys[i] == key) return false;
        FKeys.push_back(key);
        SkipSpace();
        if (FAt == FEnd || *FAt != ':') return false;
        ++FAt;
        SkipSpace();
        return true;
    }

    bool Value(std::string_view key) {
        if (FAt == FEnd) return false;
        switch (*FAt) {
        case '{':
        case '[':
            if (FOpen.size() >= TDesignLimits::kMaxJsonDepth) return false;
            FOpen.push_back({FOut.Size(), 0, *FAt == '{', FKeys.size()});
            FOut.Add(*FAt == '{' ? TType::Object : TType::Array, key);
            ++FAt;
            return true;
        case '"': {
            std::string_view text;
            if (!String(text)) return false;
            FOut.AddString(key, text);
            return true;
        }
        case 't':
            if (!Literal("true")) return false;
            FOut.AddBoolean(key, true);
            return true;
        case 'f':
            if (!Literal("false")) return false;
            FOut.AddBoolean(key, false);
            return true;
        case 'n':
            if (!Literal("null")) return false;
            FOut.Add(TType::Null, key);
            return true;
        default:
            return Number(key);
        }
    }

    bool Literal(const char* word) {
        size_t n = std::strlen(word);
        if (static_cast<size_t>(FEnd - FAt) < n || std::memcmp(FAt, word, n) != 0) return false;
        FAt += n;
        return true;
    }

    // Whole numbers of at most 18 digits, which always fit 64 bits.
    bool Number(std::string_view key) {
        bool negative = FAt != FEnd && *FAt == '-';
        if (negative) ++FAt;
        const char* first = FAt;
        int64_t value = 0;
        // Past 18 digits the number is declined below; stop adding before it could overflow.
        for (; FAt != FEnd && *FAt >= '0' && *FAt <= '9'; ++FAt)
            if (FAt - first < 18) value = value * 10 + (*FAt - '0');
        size_t digits = static_cast<size_t>(FAt - first);
        if (digits == 0 || digits > 18 || (*first == '0' && digits > 1)) return false;
        if (FAt != FEnd && (*FAt == '.' || *FAt == 'e' || *FAt == 'E')) return false;
        FOut.AddNumber(negative ? TType::Integer : TType::Unsigned, key, negative ? -value : value);
        return true;
    }

    // A string at FAt, its quotes included. It views the text unless it
    // holds escapes.
    bool String(std::string_view& out) {
        const char* start = ++FAt;
        std::string* decoded = nullptr;
        const char* copied = start;  // text before this is in `decoded`
        while (true) {
            while (FAt != FEnd && kPlainBytes.Is[static_cast<unsigned char>(*FAt)]) ++FAt;
            if (FAt == FEnd) return false;
            unsigned char c = static_cast<unsigned char>(*FAt);
            if (c == '"') break;
            if (c < 0x20) return false;
            if (c == '\\') {
                if (!decoded) decoded = &FOut.NewDecoded();
                decoded->append(copied, FAt);
                if (!Escape(*decoded)) return false;
                copied = FAt;
            } else if (!Utf8Sequence()) {
                return false;
            }
        }
        if (decoded) {
            decoded->append(copied, FAt);
            out = *decoded;
        } else {
            out = std::string_view(start, static_cast<size_t>(FAt - start));
        }
        ++FAt;
        return out.size() <= TDesignLimits::kMaxStringBytes;
    }

    // One escape at FAt, appended decoded.
    bool Escape(std::string& out) {
        if (FEnd - FAt < 2) return false;
        char c = FAt[1];
        FAt += 2;
        switch (c) {
        case '"': out += '"'; return true;
        case '\\': out += '\\'; return true;
        case '/': out += '/'; return true;
        case 'b': out += '\b'; return true;
        case 'f': out += '\f'; return true;
        case 'n': out += '\n'; return true;
        case 'r': out += '\r'; return true;
        case 't': out += '\t'; return true;
        case 'u': break;
        default: return false;
        }
        uint32_t code;
        if (!Hex4(code) || (code >= 0xDC00 && code <= 0xDFFF)) return false;
        if (code >= 0xD800 && code <= 0xDBFF) {
            uint32_t low;
            if (FEnd - FAt < 2 || FAt[0] != '\\' || FAt[1] != 'u') return false;
            FAt += 2;
            if (!Hex4(low) || low < 0xDC00 || low > 0xDFFF) return false;
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        }
        AppendUtf8(out, code);
        return true;
    }

    bool Hex4(uint32_t& code) {
        if (FEnd - FAt < 4) return false;
        code = 0;
        for (int i = 0; i < 4; ++i, ++FAt) {
            char c = *FAt;
            int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
            if (digit < 0) return false;
            code = code * 16 + static_cast<uint32_t>(digit);
        }
        return true;
    }

    static void AppendUtf8(std::string& out, uint32_t code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    // One well-formed UTF-8 sequence of two to four bytes at FAt: no
    // overlong forms, no surrogates, nothing beyond U+10FFFF.
    bool Utf8Sequence() {
        auto byte = [&](size_t i) { return static_cast<unsigned char>(FAt[i]); };
        auto in = [](unsigned char b, unsigned char low, unsigned char high) { return b >= low && b <= high; };
        size_t left = static_cast<size_t>(FEnd - FAt);
        unsigned char lead = byte(0);
        size_t length = lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3 : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
        if (length == 0 || left < length) return false;
        unsigned char low = 0x80, high = 0xBF;  // the second byte's range
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
        if (!in(byte(1), low, high)) return false;
        for (size_t i = 2; i < length; ++i)
            if (!in(byte(i), 0x80, 0xBF)) return false;
        FAt += length;
        return true;
    }

    void SkipSpace() {
        // Bytes above the blank end a run of blanks at once.
        while (FAt != FEnd && static_cast<unsigned char>(*FAt) <= ' ' &&
               (*FAt == ' ' || *FAt == '\n' || *FAt == '\r' || *FAt == '\t'))
            ++FAt;
    }

    const char* FAt;
    const char* FEnd;
    TDesignTreeBuilder& FOut;
    std::vector<TOpen> FOpen;
    std::vector<std::string_view> FKeys;  // of the open objects, innermost last
};

}  // namespace

std::unique_ptr<TDesignTree> TDesignTree::ParsePlain(std::string_view text) {
    if (text.size() > TDesignLimits::kMaxFileBytes) return nullptr;
    auto tree = std::make_unique<TDesignTree>();
    // About one value for every 12 bytes of a typical design.
    tree->FValues.reserve(text.size() / 12 + 1);
    TDesignTreeBuilder builder(*tree);
    if (!TPlainParser(text, builder).Run()) return nullptr;
    return tree;
}

std::unique_ptr<TDesignTree> TDesignTree::FromJson(nlohmann::json root) {
    auto tree = std::make_unique<TDesignTree>();
    tree->FJson = std::move(root);
    TDesignTreeBuilder(*tree).Copy(tree->FJson, {});
    return tree;
}

}  // namespace quill
