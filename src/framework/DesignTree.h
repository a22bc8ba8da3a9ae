#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

namespace quill {

// One JSON value of a stored design, in a flat tree: a container's members
// follow it in order, each with its whole subtree, so a value finds its next
// sibling by its size and the whole tree is one array, not one allocation
// per value.
class TDesignValue {
public:
    enum class TType : uint8_t { Null, Boolean, Integer, Unsigned, Float, String, Array, Object };

    TType Type() const { return FType; }
    bool IsObject() const { return FType == TType::Object; }
    bool IsArray() const { return FType == TType::Array; }
    bool IsString() const { return FType == TType::String; }
    bool IsBoolean() const { return FType == TType::Boolean; }
    // Whole numbers; Unsigned are those JSON gave without a sign.
    bool IsInteger() const { return FType == TType::Integer || FType == TType::Unsigned; }
    bool IsUnsigned() const { return FType == TType::Unsigned; }
    bool IsNumber() const { return IsInteger() || FType == TType::Float; }

    bool Bool() const { return FBool; }
    int64_t Int() const { return FInt; }
    uint64_t UInt() const { return static_cast<uint64_t>(FInt); }
    std::string_view Text() const { return FText; }
    // The member's name, in an object.
    std::string_view Key() const { return FKey; }

    // Members of an object or elements of an array, in order.
    class TIterator {
    public:
        explicit TIterator(const TDesignValue* at) : FAt(at) {}
        const TDesignValue& operator*() const { return *FAt; }
        const TDesignValue* operator->() const { return FAt; }
        TIterator& operator++() {
            FAt += FAt->FSize;
            return *this;
        }
        bool operator==(const TIterator& other) const { return FAt == other.FAt; }
        bool operator!=(const TIterator& other) const { return FAt != other.FAt; }

    private:
        const TDesignValue* FAt;
    };
    TIterator begin() const { return TIterator(this + 1); }
    TIterator end() const { return TIterator(this + FSize); }
    size_t Count() const { return FCount; }

    // The member of that name, or null.
    const TDesignValue* Find(std::string_view key) const;

    // Equal as JSON values, with the same types: objects whatever the
    // order of their members, whose keys are unique.
    bool SameAs(const TDesignValue& other) const;

private:
    friend class TDesignTree;
    friend class TDesignTreeBuilder;

    TType FType = TType::Null;
    bool FBool = false;
    uint32_t FSize = 1;   // values in the subtree, this one included
    uint32_t FCount = 0;  // members or elements
    int64_t FInt = 0;
    std::string_view FKey;
    std::string_view FText;
};

// A parsed stored design. Its strings view the design's text, the JSON value
// it was made from, or texts of its own where escapes had to be decoded;
// whatever they view must outlive the tree.
class TDesignTree {
public:
    // The tree of a design in the plain form designs are written in, or null
    // for anything else: invalid JSON, a key given twice, text beyond the
    // design limits, a fraction or exponent, more than 18 digits, or a big
    // object. Null only means "not plain": ParseDesignJson decides what is
    // wrong, so every refusal keeps its one message.
    static std::unique_ptr<TDesignTree> ParsePlain(std::string_view text);
    // The tree of a parsed JSON value, which it keeps.
    static std::unique_ptr<TDesignTree> FromJson(nlohmann::json root);

    const TDesignValue& Root() const { return FValues.front(); }

private:
    friend class TDesignTreeBuilder;

    std::vector<TDesignValue> FValues;  // in document order, the root first
    std::deque<std::string> FDecoded;   // strings that held escapes
    nlohmann::json FJson;
};

}  // namespace quill
