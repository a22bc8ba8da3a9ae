#include "markup/HtmlTag.h"

#include "framework/TextHelpers.h"

namespace quill {

std::string HtmlBracket(const std::string& text) { return "<" + text + ">"; }

std::string HtmlEmptyBracket(const std::string& text) { return "<" + text + " />"; }

std::string HtmlStartTag(const std::string& name, const std::string& attributes, bool empty) {
    std::string inner = LowerCase(name) + attributes;
    return empty ? HtmlEmptyBracket(inner) : HtmlBracket(inner);
}

std::string HtmlEndTag(const std::string& name) { return HtmlBracket("/" + LowerCase(name)); }

std::string HtmlAttr(const std::string& name, const std::string& value) {
    return Format(" %s=\"%s\"", {LowerCase(name), value});
}

std::string HtmlIntAttr(const std::string& name, int32_t value) {
    return Format(" %s=\"%d\"", {LowerCase(name), int64_t{value}});
}

std::string TemplateField(const std::string& text) { return "{" + text + "}"; }

std::string TemplateFieldName(const std::string& id, const std::string& tagName) {
    return TemplateField(id + "_" + tagName);
}

THtmlTag::THtmlTag(const std::string& name, THtmlTagOptions options) : FOptions(options), FName(LowerCase(name)) {}

void THtmlTag::SetAttribute(const std::string& name, const std::string& value, bool dynamic) {
    StoreAttribute(name, HtmlAttr(name, value), dynamic);
}

void THtmlTag::SetIntAttribute(const std::string& name, int32_t value, bool dynamic) {
    StoreAttribute(name, HtmlIntAttr(name, value), dynamic);
}

void THtmlTag::StoreAttribute(const std::string& name, const std::string& entry, bool dynamic) {
    const std::string key = " " + name;
    for (TStringList* list : {&FDynamic, &FStatic}) {
        int index = list->IndexOfName(key);
        if (index >= 0) list->Delete(index);
    }
    (dynamic ? FDynamic : FStatic).Add(entry);
}

std::string THtmlTag::AttributeText() const {
    std::string text;
    for (int i = 0; i < FStatic.Count(); ++i) {
        std::string name = FStatic.Names(i);
        std::string value = FStatic.ValueFromIndex(FStatic.IndexOfName(name));
        if (value == "\"!\"")
            text += name;
        else if (!value.empty() && value != "\"\"")
            text += name + "=" + value;
    }
    return text;
}

THtmlTagMode THtmlTag::Mode() const {
    if (FDynamic.Count() == 0 && FStatic.Count() == 0)
        return FOptions.Contains(toAlwaysWrite) ? tmPlain : tmOmitted;
    if (FDynamic.Count() == 0) return tmPlain;
    if (FStatic.Count() == 0 && FOptions.Contains(toFieldOnly)) return tmFieldOnly;
    return tmWithField;
}

std::string THtmlTag::StartTag(const std::string& fieldId) {
    FFieldId = fieldId;
    const bool empty = FOptions.Contains(toEmptyElement);
    switch (Mode()) {
    case tmPlain:
        return HtmlStartTag(FName, AttributeText(), empty);
    case tmWithField:
        return HtmlStartTag(FName, AttributeText() + TemplateFieldName(FFieldId, FName), empty);
    case tmFieldOnly:
        return TemplateFieldName(FFieldId, FName);
    case tmOmitted:
        break;
    }
    return "";
}

std::string THtmlTag::EndTag() const {
    if (FOptions.Contains(toEmptyElement)) return "";
    switch (Mode()) {
    case tmPlain:
    case tmWithField:
        return HtmlEndTag(FName);
    case tmFieldOnly:
        return TemplateFieldName("_" + FFieldId, FName);
    case tmOmitted:
        break;
    }
    return "";
}

}  // namespace quill
