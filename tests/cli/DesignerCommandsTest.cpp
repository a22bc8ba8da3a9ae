// The designer's commands: check, format, classes, schema, standard input.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "TestSupport.h"
#include "cli/QuillRun.h"
#include "cli/QuillCommand.h"
#include "controls/QuillClasses.h"
#include "framework/FormReader.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

const fs::path kSource = QUILL_SOURCE_DIR;

using test::Quill;
using test::TResult;

std::vector<fs::path> EveryDesign() {
    std::vector<fs::path> designs;
    for (const char* folder : {"examples", "src", "tests"})
        for (const auto& entry : fs::recursive_directory_iterator(kSource / folder))
            if (entry.path().string().ends_with(".form.json")) designs.push_back(entry.path());
    return designs;
}

const char* kEveryFinding = R"({"class": "TForm", "name": "F", "properties": {"Width": 300, "Height": 200},
 "children": [
  {"class": "TQuillLabel", "name": "A", "properties": {"Left": 10, "Top": 10, "Width": 100, "Height": 20, "AutoSize": false}},
  {"class": "TQuillLabel", "name": "B", "properties": {"Left": 50, "Top": 15, "Width": 100, "Height": 20, "AutoSize": false}},
  {"class": "TLabel", "name": "T", "properties": {"Left": 200, "Top": 10, "Caption": "plain"}},
  {"class": "TPanel", "name": "P", "properties": {"Left": 0, "Top": 100, "Width": 100, "Height": 40},
   "children": [{"class": "TQuillLabel", "name": "N", "properties": {"Width": 50, "Height": 20, "AutoSize": false}}]},
  {"class": "TQuillLabel", "name": "H", "properties": {"Left": 200, "Top": 40, "Width": 20, "Height": 20, "AutoSize": false, "Visible": false}},
  {"class": "TQuillLabel", "name": "Neg", "properties": {"Left": 200, "Top": 70, "Width": -5, "Height": 20, "AutoSize": false}},
  {"class": "TQuillLabel", "name": "Wide", "properties": {"Left": 250, "Top": 150, "Width": 100, "Height": 20, "AutoSize": false}},
  {"class": "TQuillLabel", "name": "Out", "properties": {"Left": -4, "Top": 170, "Width": 10, "Height": 10, "AutoSize": false}},
  {"class": "TQuillLabel", "name": "C", "properties": {"Left": 120, "Top": 60, "Width": 30, "Height": 20, "AutoSize": false,
   "CellFormat": {"Color": "clRed"}}},
  {"class": "TQuillLabel", "name": "Same", "properties": {"Left": 160, "Top": 60, "Width": 30, "Height": 20, "AutoSize": false,
   "CellFormat": {"Color": "clBtnFace"}}},
  {"class": "TQuillLabel", "name": "Auto", "properties": {"Left": 120, "Top": 90, "Width": 5, "Height": 5, "Caption": "Hello"}},
  {"class": "TQuillLabel", "name": "Small", "properties": {"Left": 160, "Top": 120, "Caption": "Two words",
   "HtmlFont": {"FontSize": "-2", "Default": []}}},
  {"class": "TQuillLabel", "name": "OneWord", "properties": {"Left": 260, "Top": 100, "Caption": "Single",
   "HtmlFont": {"FontSize": "1", "Default": []}}},
  {"class": "TQuillHtmlGenerator", "name": "G"}
 ]})";

// The auto-sized label's measured size depends on the fonts at hand.
std::string MeasuredSize(const std::string& design, const std::string& label) {
    auto form = ReadFormDesign(design, "x");
    auto* control = dynamic_cast<TControl*>(form->FindComponent(label));
    return std::to_string(control->Width()) + "x" + std::to_string(control->Height());
}

TEST(QuillCheck, ReportsEveryKindOfFindingAtItsObject) {
    TResult r = Quill({"check", "-"}, kEveryFinding);
    EXPECT_EQ(r.Code, 3);
    const std::string w = "<stdin>: ";
    EXPECT_EQ(r.Out,
              w + "F: warning: no TQuillHeader, so the page is a bare table, not a whole HTML document\n" +
                  w + "F.B: warning: overlaps A in (50, 15)-(110, 30), 60x15 px; the table cuts A there (the later control wins the shared cells)\n" +
                  w + "F.T: warning: a TLabel is not a page control, so it is not on the page; only page controls such as TQuillLabel are\n" +
                  w + "F.P: warning: a TPanel is not a page control, so it is not on the page, nor is anything inside it; only page controls such as TQuillLabel are\n" +
                  w + "F.P.N: warning: not on the page: it sits inside P, and only the page root's (F) direct children are\n" +
                  w + "F.H: warning: not on the page: Visible is false\n" +
                  w + "F.Neg: warning: not on the page: its size -5x20 covers no cell\n" +
                  w + "F.Wide: warning: reaches x=350, beyond the page root's width 300; the table grows wider than the page\n" +
                  w + "F.Out: warning: sticks out to the left of the page root at (-4, 170)-(6, 180); the table gets a cell of negative size\n" +
                  w + "F.C: warning: CellFormat.Color \"clRed\" has no effect while CellFormat.ParentColor is true; the cell takes the colour underneath (set ParentColor to false to use it)\n" +
                  w + "F.Auto: warning: AutoSize replaces the designed size 5x5 with the caption's " + MeasuredSize(kEveryFinding, "Auto") + "; set AutoSize to false to keep it\n" +
                  w + "F.Small: warning: auto-sized label \"Two words\" in HTML size \"-2\" is measured at 7 pt (9 px) on screen, but browsers show HTML size 1 at 10 px, so its caption may wrap there; give it a fixed size or a larger HTML size\n");
    EXPECT_EQ(r.Err, "");
    TResult quiet = Quill({"check", "--quiet", "-"}, kEveryFinding);
    EXPECT_EQ(quiet.Code, 3);
    EXPECT_EQ(quiet.Out, "");
}

// Inside a TQuillPanel the page controls are on the page, and the
// checks of the page root apply within the panel.
TEST(QuillCheck, PanelAndImageFindings) {
    const char* design = R"({"class": "TForm", "name": "F", "properties": {"Width": 300, "Height": 200}, "children": [
      {"class": "TQuillHtmlGenerator", "name": "G"}, {"class": "TQuillHeader", "name": "H"},
      {"class": "TQuillPanel", "name": "Card", "properties": {"Left": 10, "Top": 10, "Width": 200, "Height": 100}, "children": [
        {"class": "TQuillLabel", "name": "A", "properties": {"Width": 50, "Height": 20, "AutoSize": false}},
        {"class": "TQuillLabel", "name": "B", "properties": {"Left": 40, "Top": 10, "Width": 50, "Height": 20, "AutoSize": false}},
        {"class": "TQuillLabel", "name": "Low", "properties": {"Top": 90, "Width": 50, "Height": 20, "AutoSize": false}},
        {"class": "TQuillLabel", "name": "Aside", "properties": {"Left": -3, "Top": 50, "Width": 20, "Height": 20, "AutoSize": false}},
        {"class": "TQuillLabel", "name": "Title", "properties": {"Top": 30, "Width": 200, "Height": 20, "AutoSize": false}},
        {"class": "TEdit", "name": "E", "properties": {"Left": 100, "Top": 40}},
        {"class": "TQuillPanel", "name": "Inner", "properties": {"Left": 100, "Top": 70, "Width": 90, "Height": 25}, "children": [
          {"class": "TQuillImage", "name": "Pic", "properties": {"Width": 30, "Height": 20, "Src": "missing.png"}},
          {"class": "TQuillImage", "name": "Web", "properties": {"Left": 40, "Width": 30, "Height": 20, "Src": "http://x/a.png", "Alt": "a"}}]}]},
      {"class": "TPanel", "name": "Plain", "properties": {"Left": 220, "Top": 10, "Width": 60, "Height": 60}, "children": [
        {"class": "TQuillPanel", "name": "Hidden", "properties": {"Width": 10, "Height": 10}}]}]})";
    TResult r = Quill({"check", "-"}, design);
    EXPECT_EQ(r.Code, 3);
    const std::string w = "<stdin>: ";
    EXPECT_EQ(r.Out,
              w + "F.Card.B: warning: overlaps A in (40, 10)-(50, 20), 10x10 px; the table cuts A there (the later control wins the shared cells)\n" +
                  w + "F.Card.Low: warning: reaches (0, 90)-(50, 110), beyond Card's size 200x100; its table grows larger than the panel and moves what follows\n" +
                  w + "F.Card.Aside: warning: sticks out to the left of Card at (-3, 50)-(17, 70); its table gets a cell of negative size\n" +
                  w + "F.Card.Title: warning: spans the whole width of Card with FixedMinimumSize false, so its rows hold no other cell and a browser makes them as high as the caption, not 20 px; set CellFormat.FixedMinimumSize to true\n" +
                  w + "F.Card.E: warning: a TEdit is not a page control, so it is not on the page; only page controls such as TQuillLabel are\n" +
                  w + "F.Card.Inner.Pic: warning: Alt is empty, so readers who cannot see the image learn nothing of it; describe it in Alt\n" +
                  w + "F.Card.Inner.Pic: warning: Src \"missing.png\" cannot be read: missing.png: cannot read the file: No such file or directory; the image keeps its designed size 30x20\n" +
                  w + "F.Plain: warning: a TPanel is not a page control, so it is not on the page, nor is anything inside it; only page controls such as TQuillLabel are\n" +
                  w + "F.Plain.Hidden: warning: not on the page: it sits inside Plain, and only the page root's (F) direct children are\n");
    // A fixed height, or a cell beside it, says how high the rows are.
    TResult sized = Quill({"check", "-"}, R"({"class": "TForm", "name": "F", "properties": {"Width": 300}, "children": [
      {"class": "TQuillHtmlGenerator", "name": "G"}, {"class": "TQuillHeader", "name": "H"},
      {"class": "TQuillPanel", "name": "Card", "properties": {"Width": 300, "Height": 50}, "children": [
        {"class": "TQuillLabel", "name": "T", "properties": {"Width": 300, "Height": 20, "AutoSize": false,
         "CellFormat": {"FixedMinimumSize": true}}},
        {"class": "TQuillLabel", "name": "U", "properties": {"Left": 1, "Top": 25, "Width": 299, "Height": 20, "AutoSize": false}}]}]})");
    EXPECT_EQ(sized.Code, 0);
    EXPECT_EQ(sized.Out, "");
}

TEST(QuillCheck, PageRootFindings) {
    struct {
        const char* name;
        const char* design;
        const char* lines;
    } cases[] = {
        {"no generator", R"({"class": "TForm", "name": "F"})",
         "F: warning: no TQuillHtmlGenerator, so the form has no page\n"
         "F: warning: no TQuillHeader, so the page is a bare table, not a whole HTML document\n"},
        {"container that holds nothing",
         R"({"class": "TForm", "name": "F", "children": [{"class": "TQuillLabel", "name": "L", "properties": {"AutoSize": false}},
             {"class": "TQuillHtmlGenerator", "name": "G", "properties": {"Container": "L"}}, {"class": "TQuillHeader", "name": "H"}]})",
         "F.G: warning: Container L is a TQuillLabel, not a container control, so the page has no controls\n"},
        {"control outside the container",
         R"({"class": "TForm", "name": "F", "children": [{"class": "TPanel", "name": "P", "properties": {"Width": 100, "Height": 50}},
             {"class": "TQuillLabel", "name": "L", "properties": {"Width": 10, "Height": 10, "AutoSize": false}},
             {"class": "TQuillHtmlGenerator", "name": "G", "properties": {"Container": "P"}}, {"class": "TQuillHeader", "name": "H"}]})",
         "F.L: warning: not on the page: it lies outside the page root P\n"},
        {"overlaps found by a sweep, in child order",
         R"({"class": "TForm", "name": "F", "properties": {"Width": 500}, "children": [
             {"class": "TQuillLabel", "name": "Tall", "properties": {"Left": 0, "Top": 0, "Width": 10, "Height": 300, "AutoSize": false}},
             {"class": "TQuillLabel", "name": "X", "properties": {"Left": 5, "Top": 200, "Width": 300, "Height": 10, "AutoSize": false}},
             {"class": "TQuillLabel", "name": "Y", "properties": {"Left": 100, "Top": 0, "Width": 10, "Height": 250, "AutoSize": false}},
             {"class": "TQuillLabel", "name": "Apart", "properties": {"Left": 200, "Top": 0, "Width": 10, "Height": 100, "AutoSize": false}},
             {"class": "TQuillLabel", "name": "Touching", "properties": {"Left": 210, "Top": 0, "Width": 10, "Height": 100, "AutoSize": false}},
             {"class": "TQuillHtmlGenerator", "name": "G"}, {"class": "TQuillHeader", "name": "H"}]})",
         "F.X: warning: overlaps Tall in (5, 200)-(10, 210), 5x10 px; the table cuts Tall there (the later control wins the shared cells)\n"
         "F.Y: warning: overlaps X in (100, 200)-(110, 210), 10x10 px; the table cuts X there (the later control wins the shared cells)\n"},
    };
    for (const auto& c : cases) {
        TResult r = Quill({"check", "-"}, c.design);
        EXPECT_EQ(r.Code, 3) << c.name;
        std::string want;
        std::istringstream lines(c.lines);
        for (std::string line; std::getline(lines, line);) want += "<stdin>: " + line + "\n";
        EXPECT_EQ(r.Out, want) << c.name;
    }
}

TEST(QuillCheck, TheShippedDesignsAreCleanAndErrorsWin) {
    for (const char* example : {"examples/contact-card.form.json", "examples/links-and-header.form.json",
                                "examples/two-columns.form.json", "examples/product-cards.form.json",
                                "examples/letterhead.form.json", "examples/price-list.form.json"}) {
        TResult r = Quill({"check", (kSource / example).string()});
        EXPECT_EQ(r.Code, 0) << r.Out;
        EXPECT_EQ(r.Out, "");
    }
    TResult r = Quill({"check", (kSource / "examples/two-columns.form.json").string(), "-"}, R"({"class": "TFrom", "name": "F"})");
    EXPECT_EQ(r.Code, 1);
    EXPECT_EQ(r.Out, "<stdin>: (root): error: unknown class \"TFrom\"; did you mean TForm?\n");
    r = Quill({"check", "--quiet", "-"}, "{\"class\": ");
    EXPECT_EQ(r.Code, 1);
    EXPECT_EQ(r.Out.rfind("<stdin>:1:11: error: invalid JSON: ", 0), 0u) << r.Out;
    EXPECT_EQ(Quill({"check"}).Code, 2);
}

TEST(QuillSchema, MatchesTheCheckedInSchema) {
    TResult r = Quill({"schema"});
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_TRUE(r.Out == test::ReadFile(kSource / "docs/form-design.schema.json"))
        << "docs/form-design.schema.json is out of date; regenerate it with: ./run.sh schema -o docs/form-design.schema.json";
    EXPECT_NE(r.Out.find("\"haCenter\""), std::string::npos);
    EXPECT_NE(r.Out.find("\"clBtnFace\""), std::string::npos);
}

TEST(QuillFormat, EveryDesignRoundTripsAndRendersAlike) {
    test::TTempDir dir("quill-format");
    std::vector<fs::path> designs = EveryDesign();
    ASSERT_GE(designs.size(), 4u);
    for (const fs::path& design : designs) {
        TResult once = Quill({"format", design.string()});
        ASSERT_EQ(once.Code, 0) << design << once.Err;
        TResult twice = Quill({"format", "-"}, once.Out);
        EXPECT_EQ(twice.Out, once.Out) << design;
        // The normal form is the same design: the same page.
        if (test::ReadFile(design).find("TQuillHtmlGenerator") == std::string::npos) continue;
        EXPECT_EQ(Quill({"render", "-"}, once.Out).Out, Quill({"render", design.string()}).Out) << design;
    }
    const fs::path copy = dir / "card.form.json";
    fs::copy_file(kSource / "examples/contact-card.form.json", copy);
    TResult inPlace = Quill({"format", copy.string(), "-o", copy.string()});
    EXPECT_EQ(inPlace.Code, 0) << inPlace.Err;
    EXPECT_EQ(test::ReadFile(copy), Quill({"format", (kSource / "examples/contact-card.form.json").string()}).Out);
}

TEST(QuillFormat, KeepsTheSchemaKeyFirst) {
    TResult r = Quill({"format", "-"}, R"({"class": "TForm", "name": "F", "$schema": "../docs/form-design.schema.json"})");
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(r.Out.rfind("{\n  \"$schema\": \"../docs/form-design.schema.json\",\n  \"class\": \"TForm\"", 0), 0u) << r.Out;
}

TEST(QuillRender, ReadsTheDesignFromStandardInput) {
    const fs::path design = kSource / "examples/contact-card.form.json";
    TResult r = Quill({"render", "-"}, test::ReadFile(design));
    EXPECT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(r.Out, Quill({"render", design.string()}).Out);
    r = Quill({"render", "-"}, R"({"class": "TForm", "name": "F", "children": [{"class": "TQuillHtmlGenerator", "name": "G", "properties": {"CenterPage": "yes"}}]})");
    EXPECT_EQ(r.Code, 1);
    EXPECT_EQ(r.Err, "quill: <stdin>: F.G.CenterPage: expected true or false, got a string\n");
}

TEST(QuillSuggestions, NearestNameForEveryKindOfUnknownName) {
    auto design = [](const std::string& label) {
        return R"({"class": "TForm", "name": "F", "children": [{"class": "TQuillLabel", "name": "L", "properties": {)" + label + "}}]}";
    };
    struct {
        std::string design;
        std::string message;
    } cases[] = {
        {R"({"class": "TQuillLable", "name": "F"})", "(root): unknown class \"TQuillLable\"; did you mean TQuillLabel?"},
        {R"({"class": "TForm", "name": "F", "propertys": {}})", "(root): unknown key \"propertys\"; did you mean properties?"},
        {design(R"("Captoin": "x")"), "F.L.Captoin: unknown property of TQuillLabel; did you mean Caption?"},
        {design(R"("CellFormat": {"AlignH": "center"})"),
         "F.L.CellFormat.AlignH: unknown member \"center\" of THtmlAlignH; did you mean haCenter? (members: haDefault, haLeft, haCenter, haRight)"},
        {design(R"("Align": "alWhole")"),
         "F.L.Align: unknown member \"alWhole\" of TAlign (members: alNone, alTop, alBottom, alLeft, alRight, alClient)"},
        {design(R"("HtmlFont": {"FontStyle": ["fsBlod"]})"),
         "F.L.HtmlFont.FontStyle: unknown member \"fsBlod\" of TFontStyle; did you mean fsBold? (members: fsBold, fsItalic, fsUnderline, fsStrikeOut)"},
        {design(R"("HtmlFont": {"FontColor": "red"})"), "F.L.HtmlFont.FontColor: unknown colour name \"red\"; did you mean clRed?"},
        {design(R"("HtmlFont": {"FontColor": "clBtnFce"})"), "F.L.HtmlFont.FontColor: unknown colour name \"clBtnFce\"; did you mean clBtnFace?"},
        {design(R"("HtmlFont": {"FontColor": "#E2DEC"})"),
         "F.L.HtmlFont.FontColor: invalid colour \"#E2DEC\"; write \"#RRGGBB\": \"#\" and six hexadecimal digits, red, green, blue"},
        {design(R"("HtmlFont": {"FontColor": "purple haze"})"), "F.L.HtmlFont.FontColor: unknown colour name \"purple haze\""},
        {design(R"("OnGetHtml": "LGetHtml")"),
         "F.L.OnGetHtml: no published handler \"LGetHtml\" in TForm; a TForm has no handlers, only form classes built into a program do"},
    };
    for (const auto& c : cases) {
        TResult r = Quill({"render", "-"}, c.design);
        EXPECT_EQ(r.Code, 1);
        EXPECT_EQ(r.Err, "quill: <stdin>: " + c.message + "\n");
    }
    TResult unknownClass = Quill({"classes", "TQuilHtmlFont"});
    EXPECT_EQ(unknownClass.Code, 1);
    EXPECT_EQ(unknownClass.Err, "quill: unknown class \"TQuilHtmlFont\"; did you mean TQuillHtmlFont?\n");
    EXPECT_EQ(Quill({"rendr"}).Err, "quill: unknown command 'rendr'; did you mean render?\nTry 'quill --help'.\n");
}

TEST(QuillClasses, ListsClassesAndPropertiesWithMembers) {
    TResult all = Quill({"classes"});
    EXPECT_EQ(all.Code, 0);
    for (const char* name : {"TForm", "TQuillLabel", "TQuillHtmlGenerator", "TQuillHeader", "TPanel", "THtmlTableDataProperty"})
        EXPECT_NE(all.Out.find(std::string("  ") + name), std::string::npos) << name;
    EXPECT_NE(all.Out.find("  TQuillImage           page control\n"), std::string::npos) << all.Out;
    EXPECT_NE(all.Out.find("  TQuillPanel           page control that holds page controls\n"), std::string::npos) << all.Out;
    TResult image = Quill({"classes", "TQuillImage"});
    for (const char* property : {"Alt", "AutoSize", "CellFormat", "HtmlLink", "Src", "Visible"})
        EXPECT_NE(image.Out.find(std::string("\n  ") + property + " "), std::string::npos) << property;
    TResult cell = Quill({"classes", "THtmlTableDataProperty"});
    EXPECT_EQ(cell.Code, 0);
    // Published order, new values, members.
    size_t alignV = cell.Out.find("AlignV"), alignH = cell.Out.find("AlignH"), parent = cell.Out.find("ParentColor");
    EXPECT_LT(alignV, alignH);
    EXPECT_LT(alignH, parent);
    EXPECT_NE(cell.Out.find("\"vaTop\"; members: vaDefault, vaTop, vaMiddle, vaBottom"), std::string::npos) << cell.Out;
    EXPECT_NE(cell.Out.find("true (default)"), std::string::npos) << cell.Out;
    EXPECT_NE(Quill({"classes", "TForm"}).Out.find("none, so a design of this class binds no events"), std::string::npos);
}

TEST(QuillVersion, PrintsTheVersion) {
    TResult r = Quill({"--version"});
    EXPECT_EQ(r.Code, 0);
    EXPECT_EQ(r.Out.rfind("quill ", 0), 0u);
    EXPECT_EQ(r.Out.back(), '\n');
}

}  // namespace
}  // namespace quill
