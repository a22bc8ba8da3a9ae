#include "page/QuillHeader.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "framework/Exception.h"
#include "framework/Form.h"
#include "page/QuillGenerator.h"

namespace quill {
namespace {

using Lines = std::vector<std::string>;

struct HeaderCase {
    const char* title;
    int refresh;
    bool preventCache;
    Lines opening;
};

std::string Describe(const HeaderCase& c) {
    return std::string(*c.title ? "title" : "no title") + " refresh " + (c.refresh < 0 ? "minus " : "") +
           std::to_string(std::abs(c.refresh)) + (c.preventCache ? " no cache" : "");
}

// Readable in test names and messages, not the case's raw bytes.
void PrintTo(const HeaderCase& c, std::ostream* os) { *os << Describe(c); }

class QuillHeaderLines : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(QuillHeaderLines, OpeningAndClosing) {
    const HeaderCase& c = GetParam();
    TForm form(nullptr);
    form.SetColor(12967650);
    TQuillHtmlGenerator generator(&form);
    TQuillHeader header(&form);
    header.SetTitle(c.title);
    header.SetRefreshSeconds(c.refresh);
    header.SetPreventCache(c.preventCache);
    header.SetGenerator(&generator);
    TStringList lines;
    header.WriteHtml(psOpening, lines);
    EXPECT_EQ(test::LinesOf(lines), c.opening);
    lines.Clear();
    header.WriteHtml(psClosing, lines);
    EXPECT_EQ(test::LinesOf(lines), (Lines{"</body>", "</html>"}));
    EXPECT_EQ(generator.PageTitle(), c.title);
}

const char* kStyle = " <style type=\"text/css\">";
const char* kRule = "\tbody { background: #E2DEC5; color: black; margin: 0}";

INSTANTIATE_TEST_SUITE_P(
    Header, QuillHeaderLines,
    ::testing::Values(
        HeaderCase{"", 0, false, {"<html>", "<head>", kStyle, kRule, " </style>", "</head>", "<body>"}},
        HeaderCase{"Tom & <Jerry>",
                   30,
                   true,
                   {"<html>", "<head>", " <title>Tom & <Jerry></title>", kStyle, kRule, " </style>",
                    " <META HTTP-EQUIV=Refresh CONTENT=\"30\">", "</head>", "<body>",
                    " <META HTTP-EQUIV=\"Pragma\" CONTENT=\"no-cache\">", " <META HTTP-EQUIV=\"Expires\" CONTENT=\"-1\">"}},
        HeaderCase{"", -1, false, {"<html>", "<head>", kStyle, kRule, " </style>", "</head>", "<body>"}}),
    [](const auto& info) { return test::CaseName(Describe(info.param)); });

TEST(QuillHeader, SystemColourOfThePageRootIsResolvedAtTheRun) {
    TForm form(nullptr);
    TQuillHtmlGenerator generator(&form);
    auto* header = new TQuillHeader(&form);
    form.SetColor(clHighlight);
    generator.Generate();
    EXPECT_EQ(generator.Lines()[3], "\tbody { background: #0078D7; color: black; margin: 0}");
    EXPECT_EQ(header->BodyColor(), clHighlight);
}

TEST(QuillHeader, WritingWithoutAGeneratorIsRefused) {
    TQuillHeader header(nullptr);
    TStringList lines;
    EXPECT_THROW(header.WriteHtml(psOpening, lines), Exception);
}

}  // namespace
}  // namespace quill
