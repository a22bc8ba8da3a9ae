#include "page/QuillHeader.h"

#include <charconv>
#include <initializer_list>
#include <string_view>

#include "markup/HtmlCodes.h"
#include "framework/ClassBuilder.h"
#include "framework/Control.h"
#include "framework/Exception.h"
#include "page/QuillGenerator.h"
#include "framework/WinControl.h"

namespace quill {

void TQuillHeader::WriteHtml(TQuillPageSection section, TStrings& lines) {
    if (!Generator()) throw Exception(Name() + ": a page header writes only for a generator");
    Generator()->SetPageTitle(FTitle);
    FBodyColor = Generator()->PageRootControl().Color();
    if (section == psOpening) {
        WriteOpening(lines);
    } else if (section == psClosing) {
        lines.Add("</body>");
        lines.Add("</html>");
    }
}

void TQuillHeader::WriteOpening(TStrings& lines) {
    auto line = [this](std::initializer_list<std::string_view> pieces) -> std::string_view {
        FLine.clear();
        for (std::string_view piece : pieces) FLine += piece;
        return FLine;
    };
    lines.Add("<html>");
    lines.Add("<head>");
    if (!FTitle.empty()) lines.Add(line({" <title>", FTitle, "</title>"}));
    lines.Add(" <style type=\"text/css\">");
    lines.Add(line({"\tbody { background: ", HtmlColorText(FBodyColor).View(), "; color: black; margin: 0}"}));
    lines.Add(" </style>");
    // The refresh value is quoted, the HTTP-EQUIV name is not.
    if (FRefreshSeconds > 0) {
        char digits[16];
        const auto end = std::to_chars(digits, digits + sizeof digits, FRefreshSeconds).ptr;
        lines.Add(line({" <META HTTP-EQUIV=Refresh CONTENT=\"", std::string_view(digits, end), "\">"}));
    }
    lines.Add("</head>");
    lines.Add("<body>");
    if (FPreventCache) {
        lines.Add(" <META HTTP-EQUIV=\"Pragma\" CONTENT=\"no-cache\">");
        lines.Add(" <META HTTP-EQUIV=\"Expires\" CONTENT=\"-1\">");
    }
}

const TClassInfo& TQuillHeader::StaticInfo() {
    using C = TQuillHeader;
    static const TClassInfo info = TClassBuilder<C>("TQuillHeader", &TComponent::StaticInfo())
                                       .Creatable()
                                       .DesignPosition()
                                       .Int("Priority", &C::Priority, &C::SetPriority)
                                       .String("Title", &C::Title, &C::SetTitle)
                                       .Int("RefreshSeconds", &C::RefreshSeconds, &C::SetRefreshSeconds)
                                       .Bool("PreventCache", &C::PreventCache, &C::SetPreventCache)
                                       .Build();
    return info;
}

}  // namespace quill
