#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "framework/Set.h"
#include "markup/SmallVector.h"

namespace quill {

enum THtmlTagOption { toAlwaysWrite, toFieldOnly, toEmptyElement };
using THtmlTagOptions = TSet<THtmlTagOption>;

enum THtmlTagMode { tmOmitted, tmPlain, tmWithField, tmFieldOnly };

// Tag texts. A double quote inside an attribute value is written as
// &quot;, so a value can never end its quotes early; nothing else is
// escaped.
std::string HtmlBracket(const std::string& text);
std::string HtmlEmptyBracket(const std::string& text);
std::string HtmlStartTag(const std::string& name, const std::string& attributes, bool empty);
std::string HtmlEndTag(const std::string& name);
std::string HtmlAttr(const std::string& name, const std::string& value);
std::string HtmlIntAttr(const std::string& name, int32_t value);
std::string TemplateField(const std::string& text);
std::string TemplateFieldName(const std::string& id, const std::string& tagName);

// Appends `value` with each double quote written as &quot;.
void AppendAttrValue(std::string& out, std::string_view value);
// Appends the ASCII lower case of `text`.
void AppendLowerCase(std::string& out, std::string_view text);

// The attribute names this system sets itself. Set by number, a name needs
// no lower-casing and compares as a number; set as text, a name that is
// one of these in any letter case counts as the same attribute.
enum THtmlAttrName : uint8_t {
    anWidth, anHeight, anAlign, anValign, anId, anClass, anBgcolor, anColspan,
    anRowspan, anHref, anTarget, anFace, anSize, anColor, anCellpadding, anCellspacing
};

// One HTML element with ordered attributes. Static attributes are written
// literally; dynamic ones only make the tag carry a template field where a
// later stage would put them. Setting an attribute again replaces it and
// moves it to the end; an attribute with an empty value counts but is not
// written.
class THtmlTag {
public:
    THtmlTag(const std::string& name, THtmlTagOptions options);

    const std::string& TagName() const { return FName; }
    THtmlTagOptions Options() const { return FOptions; }

    void SetAttribute(std::string_view name, std::string_view value, bool dynamic = false);
    void SetIntAttribute(std::string_view name, int32_t value, bool dynamic = false);
    void SetAttribute(THtmlAttrName name, std::string_view value, bool dynamic = false) {
        if (value.empty() && !dynamic && Unseen(name) && HasStatic()) return;  // see Place
        StoreAttribute({static_cast<int8_t>(name), false, false, false, 0, 0, 0, 0}, value, dynamic);
    }
    void SetIntAttribute(THtmlAttrName name, int32_t value, bool dynamic = false);
    // Drops every attribute and the field id, keeping name and options, so
    // one tag can serve many cells without allocating again.
    void Clear();

    // The start-tag text (may be empty); remembers the field id.
    std::string StartTag(const std::string& fieldId = "");
    // The end-tag text (may be empty), from the attributes as they are now.
    std::string EndTag() const;
    // The same texts, appended to `out`.
    void WriteStartTag(std::string& out, std::string_view fieldId = {});
    void WriteEndTag(std::string& out) const;

    THtmlTagMode Mode() const;
    // The static attributes as written, each with its leading blank.
    std::string AttributeText() const;
    void WriteAttributeText(std::string& out) const;

private:
    // Name and value are kept as ranges of one text buffer: setting an
    // attribute allocates nothing once the buffer has grown.
    // A name the system knows is kept as its number (Known), any other
    // one in lower case in the buffer. An attribute set again is marked
    // replaced where it stood instead of being taken out, so a set costs
    // no shifting; the replaced ones go when they outnumber the others.
    struct TAttribute {
        int8_t Known;
        bool Dynamic;
        bool Replaced;
        bool IsInt;  // Value holds the number itself
        uint32_t Name, NameLength, Value, ValueLength;
    };
    static constexpr int8_t kUnknown = -1;
    bool Unseen(THtmlAttrName name) const { return (FKnownSet >> name & 1u) == 0; }
    bool HasStatic() const { return FAttributes.size() > static_cast<size_t>(FReplacedCount + FDynamicCount); }
    std::string_view NameOf(const TAttribute& a) const;
    std::string_view ValueOf(const TAttribute& a) const { return {FText.data() + a.Value, a.ValueLength}; }
    // The entry for a name, its text stored when it is not a known one.
    TAttribute NewEntry(std::string_view name);
    // Adds the entry with `value`, replacing an attribute of the same name.
    void StoreAttribute(TAttribute entry, std::string_view value, bool dynamic);
    void StoreInt(TAttribute entry, int32_t value, bool dynamic);
    // Replaces an earlier attribute of the entry's name; answers whether
    // the new one needs storing at all.
    bool Place(const TAttribute& entry, bool emptyValue, bool dynamic);
    void ReplaceEarlier(const TAttribute& entry);
    void DropReplaced();
    void WriteField(std::string& out, std::string_view prefix) const;

    TSmallVector<TAttribute, 16> FAttributes;
    std::string FText;
    int FDynamicCount = 0;
    int FReplacedCount = 0;
    int FUnknownCount = 0;
    uint32_t FKnownSet = 0;  // bit n: the known name n is set
    THtmlTagOptions FOptions;
    std::string FName;
    std::string FFieldId;
};

}  // namespace quill
