#include "markup/HtmlTag.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <iterator>

#include "framework/Exception.h"
#include "framework/TextHelpers.h"

namespace quill {

namespace {

bool HasUpperCase(std::string_view text) {
    for (char c : text)
        if (c >= 'A' && c <= 'Z') return true;
    return false;
}

// The decimal text of `value` in `digits`.
std::string_view IntText(int32_t value, char (&digits)[16]) {
    auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    return {digits, static_cast<size_t>(end - digits)};
}

// The names of THtmlAttrName, in its order.
constexpr std::string_view kKnownNames[] = {"width", "height", "align",  "valign", "id",   "class",
                                            "bgcolor", "colspan", "rowspan", "href", "target", "face",
                                            "size",  "color",  "cellpadding", "cellspacing"};

// The number of a lower-case name, or -1 when the system does not set it.
int KnownName(std::string_view name) {
    auto is = [name](THtmlAttrName known) { return name == kKnownNames[known] ? int{known} : -1; };
    switch (name.size()) {
    case 2:
        return is(anId);
    case 4:
        return name[0] == 'h' ? is(anHref) : name[0] == 'f' ? is(anFace) : is(anSize);
    case 5:
        return name[0] == 'w' ? is(anWidth) : name[0] == 'a' ? is(anAlign) : name[1] == 'l' ? is(anClass) : is(anColor);
    case 6:
        return name[0] == 'h' ? is(anHeight) : name[0] == 'v' ? is(anValign) : is(anTarget);
    case 7:
        return name[0] == 'b' ? is(anBgcolor) : name[0] == 'c' ? is(anColspan) : is(anRowspan);
    case 11:
        return name[4] == 'p' ? is(anCellpadding) : is(anCellspacing);
    default:
        return -1;
    }
}

[[noreturn, gnu::noinline]] void TagTextTooLong() { throw Exception("an HTML tag's attributes exceed 4 GB"); }

// Offsets into a tag's text are 32 bits wide.
inline void CheckRoom(size_t size, size_t more) {
    if (more > UINT32_MAX - size) [[unlikely]]
        TagTextTooLong();
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
    char digits[16];
    return HtmlAttr(name, std::string(IntText(value, digits)));
}

std::string TemplateField(const std::string& text) { return "{" + text + "}"; }

std::string TemplateFieldName(const std::string& id, const std::string& tagName) {
    return TemplateField(id + "_" + tagName);
}

THtmlTag::THtmlTag(const std::string& name, THtmlTagOptions options) : FOptions(options) {
    AppendLowerCase(FName, name);
}

std::string_view THtmlTag::NameOf(const TAttribute& a) const {
    if (a.Known >= 0) return kKnownNames[a.Known];
    return {FText.data() + a.Name, a.NameLength};
}

THtmlTag::TAttribute THtmlTag::NewEntry(std::string_view name) {
    CheckRoom(FText.size(), name.size());
    const auto start = static_cast<uint32_t>(FText.size());
    const auto length = static_cast<uint32_t>(name.size());
    // Only a name with capitals needs a lower-case copy to be looked up.
    if (HasUpperCase(name)) {
        AppendLowerCase(FText, name);
        const std::string_view lower(FText.data() + start, name.size());
        const int known = KnownName(lower);
        if (known >= 0) FText.resize(start);
        return {static_cast<int8_t>(known), false, false, false, start, length, 0, 0};
    }
    const int known = KnownName(name);
    if (known < 0) FText.append(name);
    return {static_cast<int8_t>(known), false, false, false, start, length, 0, 0};
}

void THtmlTag::SetAttribute(std::string_view name, std::string_view value, bool dynamic) {
    StoreAttribute(NewEntry(name), value, dynamic);
}

void THtmlTag::SetIntAttribute(std::string_view name, int32_t value, bool dynamic) {
    StoreInt(NewEntry(name), value, dynamic);
}

void THtmlTag::SetIntAttribute(THtmlAttrName name, int32_t value, bool dynamic) {
    StoreInt({static_cast<int8_t>(name), false, false, false, 0, 0, 0, 0}, value, dynamic);
}

void THtmlTag::StoreAttribute(TAttribute entry, std::string_view value, bool dynamic) {
    if (!Place(entry, value.empty(), dynamic)) return;
    CheckRoom(FText.size(), value.size());
    entry.Value = static_cast<uint32_t>(FText.size());
    entry.ValueLength = static_cast<uint32_t>(value.size());
    FText.append(value);
    entry.Dynamic = dynamic;
    if (dynamic) ++FDynamicCount;
    FAttributes.push_back(entry);
}

void THtmlTag::StoreInt(TAttribute entry, int32_t value, bool dynamic) {
    // Kept as the number and written as digits only when the tag is:
    // cells set width and height twice.
    Place(entry, false, dynamic);
    entry.IsInt = true;
    entry.Value = static_cast<uint32_t>(value);
    entry.ValueLength = 1;
    entry.Dynamic = dynamic;
    if (dynamic) ++FDynamicCount;
    FAttributes.push_back(entry);
}

bool THtmlTag::Place(const TAttribute& entry, bool emptyValue, bool dynamic) {
    // Known names are looked up in a bit set: most sets find no earlier one.
    if (entry.Known < 0) {
        if (FUnknownCount > 0) ReplaceEarlier(entry);
        ++FUnknownCount;
        return true;
    }
    const uint32_t bit = 1u << entry.Known;
    if ((FKnownSet & bit) != 0) {
        ReplaceEarlier(entry);
    } else if (emptyValue && !dynamic && HasStatic()) {
        // A new empty static attribute beside another static one changes
        // nothing anyone can see: not the text, not the mode, not where a
        // later value of the name goes. Cells set several such.
        return false;
    }
    FKnownSet |= bit;
    return true;
}

void THtmlTag::ReplaceEarlier(const TAttribute& entry) {
    // Names are known by number or kept in lower case: the same name
    // compares equal either way.
    for (TAttribute& a : FAttributes) {
        if (a.Replaced) continue;
        const bool same = entry.Known >= 0 ? a.Known == entry.Known : a.Known < 0 && NameOf(a) == NameOf(entry);
        if (!same) continue;
        if (a.Dynamic) --FDynamicCount;
        if (a.Known < 0) --FUnknownCount;
        a.Replaced = true;
        ++FReplacedCount;
        break;
    }
    if (2 * static_cast<size_t>(FReplacedCount) > FAttributes.size()) DropReplaced();
}

void THtmlTag::DropReplaced() {
    FAttributes.erase_if([](const TAttribute& a) { return a.Replaced; });
    FReplacedCount = 0;
}

void THtmlTag::Clear() {
    FAttributes.clear();
    FText.clear();
    FDynamicCount = 0;
    FReplacedCount = 0;
    FUnknownCount = 0;
    FKnownSet = 0;
    FFieldId.clear();
}

void THtmlTag::WriteAttributeText(std::string& out) const {
    // Measured first and then written in place: `out` grows once.
    auto written = [](const TAttribute& a) { return !a.Dynamic && !a.Replaced && a.ValueLength != 0; };
    size_t size = 0;
    for (const TAttribute& a : FAttributes) {
        if (!written(a)) continue;
        size += 1 + NameOf(a).size();
        if (a.IsInt) {
            size += 3 + 11;
        } else if (ValueOf(a) != "!") {
            const std::string_view value = ValueOf(a);
            size += 3 + value.size() + 5 * static_cast<size_t>(std::count(value.begin(), value.end(), '"'));
        }
    }
    const size_t start = out.size();
    out.resize(start + size);
    char* at = out.data() + start;
    auto put = [&at](std::string_view text) {
        std::memcpy(at, text.data(), text.size());
        at += text.size();
    };
    for (const TAttribute& a : FAttributes) {
        if (!written(a)) continue;
        *at++ = ' ';
        put(NameOf(a));
        if (a.IsInt) {
            put("=\"");
            at = std::to_chars(at, at + 11, static_cast<int32_t>(a.Value)).ptr;
            *at++ = '"';
            continue;
        }
        const std::string_view value = ValueOf(a);
        if (value == "!") continue;  // the bare name
        put("=\"");
        size_t from = 0;
        for (size_t quote = value.find('"'); quote != std::string_view::npos; quote = value.find('"', from)) {
            put(value.substr(from, quote - from));
            put("&quot;");
            from = quote + 1;
        }
        put(value.substr(from));
        *at++ = '"';
    }
    out.resize(static_cast<size_t>(at - out.data()));
}

std::string THtmlTag::AttributeText() const {
    std::string text;
    WriteAttributeText(text);
    return text;
}

THtmlTagMode THtmlTag::Mode() const {
    const size_t count = FAttributes.size() - static_cast<size_t>(FReplacedCount);
    const size_t staticCount = count - static_cast<size_t>(FDynamicCount);
    if (count == 0) return FOptions.Contains(toAlwaysWrite) ? tmPlain : tmOmitted;
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
