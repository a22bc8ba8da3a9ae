// What render tells about content its page drops or changes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>

#include "TestSupport.h"
#include "cli/QuillRun.h"
#include "cli/DesignCheck.h"
#include "cli/QuillCommand.h"
#include "controls/QuillClasses.h"
#include "framework/FormReader.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

using test::Quill;
using test::TResult;

// Two findings that change the page (an overlap, a label inside a panel)
// and three that do not (no header, a hidden label, a replaced size).
const char* kDesign = R"({"class": "TForm", "name": "F", "properties": {"Width": 300, "Height": 200},
 "children": [
  {"class": "TQuillLabel", "name": "A", "properties": {"Left": 10, "Top": 10, "Width": 100, "Height": 20, "AutoSize": false}},
  {"class": "TQuillLabel", "name": "B", "properties": {"Left": 50, "Top": 15, "Width": 100, "Height": 20, "AutoSize": false}},
  {"class": "TPanel", "name": "P", "properties": {"Left": 0, "Top": 100, "Width": 100, "Height": 40}},
  {"class": "TQuillLabel", "name": "H", "properties": {"Left": 200, "Top": 40, "Width": 20, "Height": 20, "AutoSize": false, "Visible": false}},
  {"class": "TQuillLabel", "name": "Auto", "properties": {"Left": 120, "Top": 90, "Width": 5, "Height": 5, "Caption": "Hello"}},
  {"class": "TQuillHtmlGenerator", "name": "G"}
 ]})";

const std::string kWarnings =
    "<stdin>: F.B: warning: overlaps A in (50, 15)-(110, 30), 60x15 px; the table cuts A there (the later control wins the shared cells)\n"
    "<stdin>: F.P: warning: a TPanel is not a page control, so it is not on the page, nor is anything inside it; only page controls such as TQuillLabel are\n";

TEST(QuillRenderFindings, WarnsOfWhatThePageDropsAndStillWritesIt) {
    const std::string page = Quill({"render", "-q", "-"}, kDesign).Out;
    ASSERT_NE(page.find("<table"), std::string::npos);
    TResult r = Quill({"render", "-"}, kDesign);
    EXPECT_EQ(r.Code, 0);
    EXPECT_EQ(r.Err, kWarnings);
    EXPECT_EQ(r.Out, page);
    TResult quiet = Quill({"render", "--quiet", "-"}, kDesign);
    EXPECT_EQ(quiet.Code, 0);
    EXPECT_EQ(quiet.Err, "");
}

TEST(QuillRenderFindings, StrictRefusesToWriteAPageThatLosesContent) {
    test::TTempDir dir("quill-strict");
    const fs::path page = dir / "page.html";
    test::WriteFile(page, "old page");
    const std::string refusal = "quill: <stdin>: the page was not written: it would drop or change content in 2 places (--strict)\n";
    TResult r = Quill({"render", "--strict", "-", "-o", page.string()}, kDesign);
    EXPECT_EQ(r.Code, 3);
    EXPECT_EQ(r.Err, kWarnings + refusal);
    EXPECT_EQ(test::ReadFile(page), "old page");
    r = Quill({"render", "-q", "--strict", "-"}, kDesign);
    EXPECT_EQ(r.Code, 3);
    EXPECT_EQ(r.Out, "");
    EXPECT_EQ(r.Err, refusal);
    // Findings that leave the page as designed do not count.
    const fs::path clean = fs::path(QUILL_SOURCE_DIR) / "examples/contact-card.form.json";
    r = Quill({"render", "--strict", clean.string(), "-o", page.string()});
    EXPECT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(r.Err, "");
    EXPECT_EQ(test::ReadFile(page), Quill({"render", clean.string()}).Out);
}

TEST(QuillRenderFindings, HelpTellsBothOptions) {
    const std::string help = Quill({"--help"}).Out;
    EXPECT_NE(help.find("quill render [-q] [--strict] DESIGN"), std::string::npos);
    EXPECT_NE(help.find("render --strict DESIGN"), std::string::npos);
    EXPECT_NE(help.find("render -q DESIGN"), std::string::npos);
    EXPECT_EQ(Quill({"render", "--strikt", "-"}, kDesign).Code, 2);
}

TEST(DesignCheckKinds, EachFindingSaysWhetherThePageChanges) {
    RegisterQuillClasses();
    auto form = ReadFormDesign(kDesign, "k.json");
    std::map<std::string, TFindingKind> kinds;
    for (const TDesignFinding& f : CheckDesign(*form, nlohmann::json::parse(kDesign))) kinds[f.Path] = f.Kind;
    EXPECT_EQ(kinds, (std::map<std::string, TFindingKind>{{"F", TFindingKind::Advice},
                                                          {"F.B", TFindingKind::PageChange},
                                                          {"F.P", TFindingKind::PageChange},
                                                          {"F.H", TFindingKind::Advice},
                                                          {"F.Auto", TFindingKind::Advice}}));
}

std::string FixedLabel(const std::string& props) {
    return R"({"class": "TForm", "name": "F", "properties": {"Width": 400, "Height": 200}, "children": [
        {"class": "TQuillLabel", "name": "L", "properties": {"Left": 0, "Top": 0, "AutoSize": false, )" + props + R"(}},
        {"class": "TQuillHtmlGenerator", "name": "G"}, {"class": "TQuillHeader", "name": "H"}]})";
}

TEST(QuillCheck, CaptionTooBigForAFixedCell) {
    struct {
        const char* name;
        std::string props;
        bool found;
    } cases[] = {
        {"fits", R"("Width": 300, "Height": 40, "Caption": "Short")", false},
        {"a word wider than the cell", R"("Width": 20, "Height": 40, "Caption": "Supercalifragilistic")", true},
        {"more lines than the height", R"("Width": 300, "Height": 10, "PlainText": true, "Caption": "one\ntwo\nthree")", true},
        {"line breaks of markup are blanks", R"("Width": 300, "Height": 20, "Caption": "one\ntwo\nthree")", false},
        {"wrapped lines beyond the height", R"("Width": 60, "Height": 20, "Caption": "many short words wrap here")", true},
        {"markup is not measured", R"("Width": 20, "Height": 10, "Caption": "<b>Supercalifragilistic</b>")", false},
        {"plain text is", R"("Width": 20, "Height": 10, "PlainText": true, "Caption": "<b>Supercalifragilistic</b>")", true},
    };
    for (const auto& c : cases) {
        TResult r = Quill({"check", "-"}, FixedLabel(c.props));
        EXPECT_EQ(r.Code, c.found ? 3 : 0) << c.name << r.Out;
        EXPECT_EQ(r.Out.find("<stdin>: F.L: warning: caption \""), c.found ? 0u : std::string::npos) << c.name << r.Out;
        if (c.found) {
            EXPECT_NE(r.Out.find("; browsers grow the cell, and the table with it\n"), std::string::npos) << r.Out;
        }
    }
    // A long caption is cut and kept on one line in the message.
    TResult r = Quill({"render", "-"}, FixedLabel(R"("Width": 10, "Height": 10, "PlainText": true, "Caption": "line one\nline two of a caption that goes on and on")"));
    EXPECT_EQ(r.Code, 0);
    EXPECT_EQ(r.Err.rfind("<stdin>: F.L: warning: caption \"line one line two of a caption that goes...\" needs ", 0), 0u) << r.Err;
    EXPECT_EQ(std::count(r.Err.begin(), r.Err.end(), '\n'), 1);
}

}  // namespace
}  // namespace quill
