#pragma once

#include <charconv>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "markup/HtmlTag.h"
#include "framework/Color.h"

namespace quill {

struct TEnumInfo;

enum THtmlAlignH : uint8_t { haDefault, haLeft, haCenter, haRight };
enum THtmlAlignV : uint8_t { vaDefault, vaTop, vaMiddle, vaBottom };

// The "align" and "valign" values; empty for the defaults, which are
// therefore never written.
const std::string& AlignHNames(THtmlAlignH align);
const std::string& AlignVNames(THtmlAlignV align);
const TEnumInfo& AlignHType();
const TEnumInfo& AlignVType();

// An HTML font size such as "3" or "+2", at most 255 single-byte
// characters, written into the page unchanged.
using THTMLFontSize = std::string;
constexpr size_t kHtmlFontSizeMax = 255;

// "#" and six upper-case hexadecimal digits: red, green, blue.
std::string HtmlColor(TColor color);
// The same text in a buffer of its own, for writers that must not allocate.
struct THtmlColorText {
    char Text[7];
    std::string_view View() const { return {Text, sizeof Text}; }
};
THtmlColorText HtmlColorText(TColor color);

// The page table: cellpadding and cellspacing 0, written even bare.
std::unique_ptr<THtmlTag> NewTableTag();
// Sets those attributes on a cleared "table" tag made with toAlwaysWrite.
void FillTableTag(THtmlTag& tag);

// A table cell with width, then height when useHeight, spans above 1 and
// the alignments (empty for the defaults).
std::unique_ptr<THtmlTag> NewCellTag(int32_t width, int32_t height, int32_t colSpan, int32_t rowSpan,
                                     THtmlAlignH alignH, THtmlAlignV alignV, bool useHeight);
// Sets those attributes on a "td" tag made with toAlwaysWrite and cleared,
// so a writer can reuse one tag for every cell.
void FillCellTag(THtmlTag& tag, int32_t width, int32_t height, int32_t colSpan, int32_t rowSpan,
                 THtmlAlignH alignH, THtmlAlignV alignV, bool useHeight);
// Appends the whole of an empty cell, start and end, as a tag filled by
// FillCellTag with the default alignments and the height would write it;
// no tag is made, so an empty cell costs no more than its bytes.
void WriteEmptyCell(std::string& out, int32_t width, int32_t height, int32_t colSpan, int32_t rowSpan);
// The same cell written at `at`, which has room for kEmptyCellMax bytes;
// answers the end.
constexpr size_t kEmptyCellMax = 128;
char* PutEmptyCell(char* at, int32_t width, int32_t height, int32_t colSpan, int32_t rowSpan);

// Writers into room the caller has made; each answers the end.
inline char* PutText(char* at, std::string_view text) {
    std::memcpy(at, text.data(), text.size());
    return at + text.size();
}
// `prefix` (such as ` width="`), the number and the closing quote: at most
// prefix + 12 bytes.
inline char* PutIntAttr(char* at, std::string_view prefix, int32_t value) {
    at = PutText(at, prefix);
    at = std::to_chars(at, at + 11, value).ptr;
    *at++ = '"';
    return at;
}
// `prefix`, the value with each double quote as &quot; and the closing
// quote: at most prefix + 6 * value + 1 bytes.
char* PutTextAttr(char* at, std::string_view prefix, std::string_view value);

}  // namespace quill
