#include "page/QuillHeader.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "framework/Exception.h"
#include "controls/QuillClasses.h"
#include "framework/Form.h"
#include "framework/FormReader.h"
#include "framework/FormWriter.h"
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


TEST(QuillHeader, CharsetIsDeclaredFirstInTheHead) {
    TForm form(nullptr);
    form.SetColor(12967650);
    TQuillHtmlGenerator generator(&form);
    TQuillHeader header(&form);
    header.SetTitle("Caf\xC3\xA9");
    header.SetCharset("utf-8");
    header.SetGenerator(&generator);
    TStringList lines;
    header.WriteHtml(psOpening, lines);
    EXPECT_EQ(test::LinesOf(lines), (Lines{"<html>", "<head>", " <meta charset=\"utf-8\">", " <title>Caf\xC3\xA9</title>",
                                           kStyle, kRule, " </style>", "</head>", "<body>"}));
    header.SetCharset("");
    lines.Clear();
    header.WriteHtml(psOpening, lines);
    EXPECT_EQ(lines[2], " <title>Caf\xC3\xA9</title>");
}

TEST(QuillHeader, CharsetNamesThatCouldLeaveTheAttributeAreRefused) {
    TQuillHeader header(nullptr);
    for (const char* good : {"utf-8", "ISO-8859-1", "Shift_JIS", "x-mac-roman", "csISO2022JP", "ANSI_X3.4-1968", "UTF-7+x"}) {
        EXPECT_NO_THROW(header.SetCharset(good)) << good;
        EXPECT_EQ(header.Charset(), good);
    }
    header.SetCharset("utf-8");
    for (const char* bad : {"utf-8\"><script>", "utf 8", "utf-8'", "a<b", "a&b", "\xC3\xA9", "x\ny", "x\ty",
                            "0123456789012345678901234567890123456789x"}) {
        EXPECT_THROW(header.SetCharset(bad), Exception) << bad;
        EXPECT_EQ(header.Charset(), "utf-8") << bad;
    }
}

TEST(QuillHeaderDesign, CharsetIsStoredWhenSetAndRefusedWithItsPlace) {
    RegisterQuillClasses();
    auto form = ReadFormDesign(R"({"class": "TForm", "name": "F", "children": [
        {"class": "TQuillHeader", "name": "H", "properties": {"Charset": "utf-8"}}]})",
                               "charset.json");
    const std::string written = WriteFormDesign(*form);
    EXPECT_NE(written.find("\"Charset\": \"utf-8\""), std::string::npos) << written;
    EXPECT_EQ(WriteFormDesign(*ReadFormDesign(R"({"class": "TForm", "name": "F", "children": [
        {"class": "TQuillHeader", "name": "H"}]})", "none.json")).find("Charset"), std::string::npos);
    try {
        ReadFormDesign(R"({"class": "TForm", "name": "F", "children": [
            {"class": "TQuillHeader", "name": "H", "properties": {"Charset": "utf-8\"><script>x</script>"}}]})",
                       "bad.json");
        ADD_FAILURE() << "accepted";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "bad.json: F.H.Charset: invalid character set name \"utf-8\"><script>x</script>\": "
                               "only letters, digits and \"-_.:+\" may appear in it, as in \"utf-8\"");
    }
}

}  // namespace
}  // namespace quill
