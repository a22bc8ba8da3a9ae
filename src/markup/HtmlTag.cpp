#include "markup/HtmlTag.h"

#include <charconv>

#include "framework/TextHelpers.h"

namespace quill {

namespace {

bool HasUpperCase(std::string_view text) {
    for (char c : text)
        if (c >= 'A' && c <= 'Z') return true;
    return false;
}

void AppendInt(std::string& out, int32_t value) {
    char digits[16];
    auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

}  // namespace

void AppendAttrValue(std::string& out, std::string_view value) {
    size_t from = 0;
    for (size_t quote = value.find('"'); quote != std::string_view::npos; quote = value.find('"', from)) {
        out.append(value, from, quote - from);
        out += "&quot;";
        from = quote + 1;
    }
    out.append(value, from);
}

void AppendLowerCase(std::string& out, std::string_view text) {
    // Names of the system's own are lower case already: copy them whole.
    if (!HasUpperCase(text)) {
        out.append(text);
        return;
    }
    for (char c : text) out += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string HtmlBracket(const std::string& text) { return "<" + text + ">"; }

std::string HtmlEmptyBracket(const std::string& text) { return "<" + text + " />"; }

std::string HtmlStartTag(const std::string& name, const std::string& attributes, bool empty) {
    std::string inner = LowerCase(name) + attributes;
    return empty ? HtmlEmptyBracket(inner) : HtmlBracket(inner);
}

std::string HtmlEndTag(const std::string& name) { return HtmlBracket("/" + LowerCase(name)); }

std::string HtmlAttr(const std::string& name, const std::string& value) {
    std::string text = " ";
    AppendLowerCase(text, name);
    text += "=\"";
    AppendAttrValue(text, value);
    text += '"';
    return text;
}

std::string HtmlIntAttr(const std::string& name, int32_t value) {
    std::string text = " ";
    AppendLowerCase(text, name);
    text += "=\"";
    AppendInt(text, value);
    text += '"';
    return text;
}

std::string TemplateField(const std::string& text) { return "{" + text + "}"; }

std::string TemplateFieldName(const std::string& id, const std::string& tagName) {
    return TemplateField(id + "_" + tagName);
}

THtmlTag::THtmlTag(const std::string& name, THtmlTagOptions options) : FOptions(options) {
    AppendLowerCase(FName, name);
}

size_t THtmlTag::AppendName(std::string_view name) {
    size_t start = FText.size();
    AppendLowerCase(FText, name);
    return start;
}

void THtmlTag::SetAttribute(std::string_view name, std::string_view value, bool dynamic) {
    size_t nameStart = AppendName(name);
    size_t valueStart = FText.size();
    FText.append(value);
    StoreAttribute(nameStart, valueStart, dynamic);
}

void THtmlTag::SetIntAttribute(std::string_view name, int32_t value, bool dynamic) {
    size_t nameStart = AppendName(name);
    size_t valueStart = FText.size();
    AppendInt(FText, value);
    StoreAttribute(nameStart, valueStart, dynamic);
}

void THtmlTag::StoreAttribute(size_t nameStart, size_t valueStart, bool dynamic) {
    TAttribute entry{nameStart, valueStart - nameStart, valueStart, FText.size() - valueStart, dynamic};
    const std::string_view name = NameOf(entry);
    // Names are stored in lower case, so the same name compares equal.
    for (size_t i = 0; i < FAttributes.size(); ++i) {
        if (NameOf(FAttributes[i]) != name) continue;
        if (FAttributes[i].Dynamic) --FDynamicCount;
        FAttributes.erase(i);
        break;
    }
    if (dynamic) ++FDynamicCount;
    FAttributes.push_back(entry);
}

void THtmlTag::Clear() {
    FAttributes.clear();
    FText.clear();
    FDynamicCount = 0;
    FFieldId.clear();
}

void THtmlTag::WriteAttributeText(std::string& out) const {
    for (const TAttribute& a : FAttributes) {
        if (a.Dynamic || a.ValueLength == 0) continue;
        out += ' ';
        out += NameOf(a);
        if (ValueOf(a) == "!") continue;  // the bare name
        out += "=\"";
        AppendAttrValue(out, ValueOf(a));
        out += '"';
    }
}

std::string THtmlTag::AttributeText() const {
    std::string text;
    WriteAttributeText(text);
    return text;
}

THtmlTagMode THtmlTag::Mode() const {
    const size_t staticCount = FAttributes.size() - static_cast<size_t>(FDynamicCount);
    if (FAttributes.empty()) return FOptions.Contains(toAlwaysWrite) ? tmPlain : tmOmitted;
    if (FDynamicCount == 0) return tmPlain;
    if (staticCount == 0 && FOptions.Contains(toFieldOnly)) return tmFieldOnly;
    return tmWithField;
}

void THtmlTag::WriteField(std::string& out, std::string_view prefix) const {
    out += '{';
    out += prefix;
    out += FFieldId;
    out += '_';
    out += FName;
    out += '}';
}

void THtmlTag::WriteStartTag(std::string& out, std::string_view fieldId) {
    FFieldId.assign(fieldId);
    const THtmlTagMode mode = Mode();
    if (mode == tmOmitted) return;
    if (mode == tmFieldOnly) return WriteField(out, "");
    out += '<';
    out += FName;
    WriteAttributeText(out);
    if (mode == tmWithField) WriteField(out, "");
    out += FOptions.Contains(toEmptyElement) ? " />" : ">";
}

void THtmlTag::WriteEndTag(std::string& out) const {
    if (FOptions.Contains(toEmptyElement)) return;
    switch (Mode()) {
    case tmPlain:
    case tmWithField:
        out += "</";
        out += FName;
        out += '>';
        break;
    case tmFieldOnly:
        WriteField(out, "_");
        break;
    case tmOmitted:
        break;
    }
}

std::string THtmlTag::StartTag(const std::string& fieldId) {
    std::string text;
    WriteStartTag(text, fieldId);
    return text;
}

std::string THtmlTag::EndTag() const {
    std::string text;
    WriteEndTag(text);
    return text;
}

}  // namespace quill
