#pragma once

#include <string>

#include "framework/Set.h"
#include "framework/Strings.h"

namespace quill {

enum THtmlTagOption { toAlwaysWrite, toFieldOnly, toEmptyElement };
using THtmlTagOptions = TSet<THtmlTagOption>;

enum THtmlTagMode { tmOmitted, tmPlain, tmWithField, tmFieldOnly };

// Tag texts. Values are written as they are: nothing is escaped.
std::string HtmlBracket(const std::string& text);
std::string HtmlEmptyBracket(const std::string& text);
std::string HtmlStartTag(const std::string& name, const std::string& attributes, bool empty);
std::string HtmlEndTag(const std::string& name);
std::string HtmlAttr(const std::string& name, const std::string& value);
std::string HtmlIntAttr(const std::string& name, int32_t value);
std::string TemplateField(const std::string& text);
std::string TemplateFieldName(const std::string& id, const std::string& tagName);

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

    void SetAttribute(const std::string& name, const std::string& value, bool dynamic = false);
    void SetIntAttribute(const std::string& name, int32_t value, bool dynamic = false);

    // The start-tag text (may be empty); remembers the field id.
    std::string StartTag(const std::string& fieldId = "");
    // The end-tag text (may be empty), from the attributes as they are now.
    std::string EndTag() const;

    THtmlTagMode Mode() const;
    // The static attributes as written, each with its leading blank.
    std::string AttributeText() const;

private:
    void StoreAttribute(const std::string& name, const std::string& entry, bool dynamic);

    TStringList FDynamic;
    TStringList FStatic;
    THtmlTagOptions FOptions;
    std::string FName;
    std::string FFieldId;
};

}  // namespace quill
