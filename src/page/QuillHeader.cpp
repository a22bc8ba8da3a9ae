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

namespace {

// Registered character set names are at most 40 characters long.
constexpr size_t kCharsetMax = 40;

bool IsCharsetCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
           c == '.' || c == ':' || c == '+';
}

}  // namespace

// Checked here, so a name can never leave its attribute in the page.
void TQuillHeader::SetCharset(const std::string& value) {
    if (value.size() > kCharsetMax)
        throw Exception("a character set name has at most " + std::to_string(kCharsetMax) + " characters, not " +
                        std::to_string(value.size()));
    for (char c : value)
        if (!IsCharsetCharacter(c))
            throw Exception("invalid character set name \"" + value +
                            "\": only letters, digits and \"-_.:+\" may appear in it, as in \"utf-8\"");
    FCharset = value;
}

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
    // First in the head, so a browser knows it before it reads any text.
    if (!FCharset.empty()) lines.Add(line({" <meta charset=\"", FCharset, "\">"}));
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
                                       .String("Charset", &C::Charset, &C::SetCharset)
                                       .Build();
    return info;
}

}  // namespace quill
