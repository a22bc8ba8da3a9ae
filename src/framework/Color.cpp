#include "framework/Color.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <utility>

#include "platform/SysColors.h"

namespace quill {

namespace {

const std::array<std::pair<std::string_view, TColor>, 48> kColorNames = {{
    {"clBlack", clBlack},
    {"clMaroon", clMaroon},
    {"clGreen", clGreen},
    {"clOlive", clOlive},
    {"clNavy", clNavy},
    {"clPurple", clPurple},
    {"clTeal", clTeal},
    {"clGray", clGray},
    {"clSilver", clSilver},
    {"clRed", clRed},
    {"clLime", clLime},
    {"clYellow", clYellow},
    {"clBlue", clBlue},
    {"clFuchsia", clFuchsia},
    {"clAqua", clAqua},
    {"clWhite", clWhite},
    {"clNone", clNone},
    {"clDefault", clDefault},
    {"clScrollBar", clScrollBar},
    {"clBackground", clBackground},
    {"clActiveCaption", clActiveCaption},
    {"clInactiveCaption", clInactiveCaption},
    {"clMenu", clMenu},
    {"clWindow", clWindow},
    {"clWindowFrame", clWindowFrame},
    {"clMenuText", clMenuText},
    {"clWindowText", clWindowText},
    {"clCaptionText", clCaptionText},
    {"clActiveBorder", clActiveBorder},
    {"clInactiveBorder", clInactiveBorder},
    {"clAppWorkSpace", clAppWorkSpace},
    {"clHighlight", clHighlight},
    {"clHighlightText", clHighlightText},
    {"clBtnFace", clBtnFace},
    {"clBtnShadow", clBtnShadow},
    {"clGrayText", clGrayText},
    {"clBtnText", clBtnText},
    {"clInactiveCaptionText", clInactiveCaptionText},
    {"clBtnHighlight", clBtnHighlight},
    {"cl3DDkShadow", cl3DDkShadow},
    {"cl3DLight", cl3DLight},
    {"clInfoText", clInfoText},
    {"clInfoBk", clInfoBk},
    {"clHotLight", clHotLight},
    {"clGradientActiveCaption", clGradientActiveCaption},
    {"clGradientInactiveCaption", clGradientInactiveCaption},
    {"clMenuHighlight", clMenuHighlight},
    {"clMenuBar", clMenuBar},
}};

}  // namespace

TColor ResolveColor(TColor color) {
    if (color < 0) return static_cast<TColor>(platform::GetSysColor(color & 0xFF));
    return color;
}

std::optional<TColor> ColorFromName(std::string_view name) {
    for (const auto& [n, c] : kColorNames)
        if (name == n) return c;
    return std::nullopt;
}

std::optional<std::string> ColorToName(TColor color) {
    for (const auto& [n, c] : kColorNames)
        if (color == c) return std::string(n);
    return std::nullopt;
}

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// "#RRGGBB" as a colour with red in the low byte.
std::optional<TColor> ColorFromHtml(std::string_view text) {
    if (text.size() != 7 || text[0] != '#') return std::nullopt;
    uint32_t rgb = 0;
    for (char c : text.substr(1)) {
        const int digit = HexDigit(c);
        if (digit < 0) return std::nullopt;
        rgb = rgb << 4 | static_cast<uint32_t>(digit);
    }
    return static_cast<TColor>((rgb & 0xFF) << 16 | (rgb & 0xFF00) | rgb >> 16);
}

}  // namespace

std::optional<TColor> ColorFromText(std::string_view text) {
    if (!text.empty() && text[0] == '#') return ColorFromHtml(text);
    return ColorFromName(text);
}

std::optional<std::string> ColorToText(TColor color) {
    if (std::optional<std::string> name = ColorToName(color)) return name;
    if (color < 0 || color > 0xFFFFFF) return std::nullopt;
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text = "#";
    for (int shift : {0, 8, 16}) {
        const int byte = (color >> shift) & 0xFF;
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0xF];
    }
    return text;
}

std::vector<std::string> ColorNames() {
    std::vector<std::string> names;
    for (const auto& entry : kColorNames) names.emplace_back(entry.first);
    return names;
}

}  // namespace quill
