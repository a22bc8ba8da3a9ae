#include "framework/Color.h"

#include <array>
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

std::vector<std::string> ColorNames() {
    std::vector<std::string> names;
    for (const auto& entry : kColorNames) names.emplace_back(entry.first);
    return names;
}

}  // namespace quill
