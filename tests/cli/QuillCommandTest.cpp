#include "cli/QuillCommand.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "TestSupport.h"
#include "cli/QuillRun.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

using test::Quill;
using test::TResult;

const fs::path kSource = QUILL_SOURCE_DIR;

// Every example, and the two hosts' forms, against its checked-in page. Set
// QUILL_UPDATE_GOLDEN=1 to write the pages anew (then review them by eye).
TEST(QuillCommand, RendersEveryDesignLikeItsGoldenPage) {
    std::vector<fs::path> designs = {kSource / "src/aspserver/PageOne.form.json", kSource / "src/demo/HtmlPage.form.json"};
    for (const auto& entry : fs::directory_iterator(kSource / "examples"))
        if (entry.path().extension() == ".json") designs.push_back(entry.path());
    ASSERT_GE(designs.size(), 4u);
    const bool update = std::getenv("QUILL_UPDATE_GOLDEN") != nullptr;
    for (const fs::path& design : designs) {
        std::string name = design.filename().string();
        name = name.substr(0, name.find('.'));
        fs::path golden = kSource / "tests/golden" / (name + ".html");
        TResult r = Quill({"render", design.string()});
        ASSERT_EQ(r.Code, 0) << r.Err;
        EXPECT_EQ(r.Err, "");
        if (update) test::WriteFile(golden, r.Out);
        EXPECT_EQ(r.Out, test::ReadFile(golden)) << name;
    }
}

TEST(QuillCommand, SavesThePageWithTheGeneratorsSaveOperation) {
    test::TTempDir dir("quill-cli");
    const std::string design = (kSource / "examples/contact-card.form.json").string();
    TResult r = Quill({"render", design, "-o", (dir / "card.html").string()});
    EXPECT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(r.Out, "");
    EXPECT_EQ(test::ReadFile(dir / "card.html"), Quill({"render", design}).Out);

    r = Quill({"render", design, "-o", (dir / "missing/card.html").string()});
    EXPECT_EQ(r.Code, 1);
    EXPECT_EQ(r.Err, "quill: " + design + ": the page was not written: " + (dir / "missing/card.html").string() +
                         ": cannot create the file: No such file or directory\n");

    r = Quill({"render", design, "-o", "-"});
    EXPECT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(r.Out, test::ReadFile(dir / "card.html"));
    EXPECT_FALSE(fs::exists("-"));
}

TEST(QuillCommand, RefusesToWriteThePageOverItsDesign) {
    test::TTempDir dir("quill-self");
    const fs::path design = dir / "card.form.json";
    const std::string text = test::ReadFile(kSource / "examples/contact-card.form.json");
    test::WriteFile(design, text);
    fs::create_symlink("card.form.json", dir / "link.html");
    fs::create_hard_link(design, dir / "hard.html");
    for (const fs::path& out : {design, dir / "link.html", dir / "hard.html", dir / "." / "card.form.json"}) {
        TResult r = Quill({"render", design.string(), "-o", out.string()});
        EXPECT_EQ(r.Code, 1) << out;
        EXPECT_EQ(r.Err, "quill: " + out.string() + ": the output is the design file itself; the page was not written\n");
        EXPECT_EQ(test::ReadFile(design), text);
    }
}

TEST(QuillCommand, BadDesignsExitWithOneLineAndNoPage) {
    test::TTempDir dir("quill-bad");
    struct {
        const char* file;
        const char* text;
        const char* message;
    } cases[] = {
        {"syntax.json", "{\"class\": ", "syntax.json:1:11: invalid JSON"},
        {"class.json", R"({"class": "TWindow", "name": "F"})", "class.json: (root): unknown class \"TWindow\""},
        {"prop.json",
         R"({"class": "TForm", "name": "F", "children": [{"class": "TQuillLabel", "name": "L", "properties": {"CellFormat": {"AlignH": "haMiddle"}}}]})",
         "prop.json: F.L.CellFormat.AlignH: unknown member \"haMiddle\" of THtmlAlignH"},
        {"font.json",
         R"({"class": "TForm", "name": "F", "children": [{"class": "TQuillLabel", "name": "L", "properties": {"HtmlFont": {"FontSize": 3}}}]})",
         "font.json: F.L.HtmlFont.FontSize: expected a string, got an integer"},
        {"ref.json",
         R"({"class": "TForm", "name": "F", "children": [{"class": "TQuillHtmlGenerator", "name": "G", "properties": {"Container": "Nowhere"}}]})",
         "ref.json: F.G.Container: no component named \"Nowhere\""},
        {"event.json",
         R"({"class": "TForm", "name": "F", "children": [{"class": "TQuillHtmlGenerator", "name": "G", "properties": {"OnBeforeGenerate": "Go"}}]})",
         "event.json: F.G.OnBeforeGenerate: no published handler \"Go\" in TForm"},
        {"child.json",
         R"({"class": "TForm", "name": "F", "children": [{"class": "TQuillLabel", "name": "L", "children": [{"class": "TQuillLabel", "name": "M"}]}]})",
         "child.json: F.L.M: a TQuillLabel does not accept designed children"},
        {"nogen.json", R"({"class": "TForm", "name": "F"})", "nogen.json: F: the form has no TQuillHtmlGenerator"},
        {"pageone.json", R"({"class": "TPageOneForm", "name": "F"})", "pageone.json: F: the form needs a TQuillLabel named QuillLabel1"},
    };
    for (const auto& c : cases) {
        const std::string path = (dir / c.file).string();
        test::WriteFile(path, c.text);
        TResult r = Quill({"render", path});
        EXPECT_EQ(r.Code, 1) << c.file;
        EXPECT_EQ(r.Out, "") << c.file;
        EXPECT_EQ(r.Err.rfind("quill: " + (dir / "").string() + c.message, 0), 0u) << r.Err;
        EXPECT_EQ(std::count(r.Err.begin(), r.Err.end(), '\n'), 1) << r.Err;
    }
    TResult missing = Quill({"render", (dir / "absent.json").string()});
    EXPECT_EQ(missing.Code, 1);
    EXPECT_EQ(missing.Err, "quill: " + (dir / "absent.json").string() + ": cannot read the file: No such file or directory\n");
    TResult folder = Quill({"render", dir.Path().string()});
    EXPECT_EQ(folder.Code, 1);
    EXPECT_EQ(folder.Err, "quill: " + dir.Path().string() + ": cannot read the file: Is a directory\n");
}

TEST(QuillCommand, UsageErrorsAndHelp) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {}, {"draw"}, {"render"}, {"render", "a.json", "b.json"}, {"render", "a.json", "-o"}, {"render", "-x", "a.json"}}) {
        TResult r = Quill(args);
        EXPECT_EQ(r.Code, 2);
        EXPECT_EQ(r.Out, "");
        EXPECT_NE(r.Err.find("Try 'quill --help'."), std::string::npos);
    }
    TResult help = Quill({"--help"});
    EXPECT_EQ(help.Code, 0);
    EXPECT_NE(help.Out.find("Usage: quill render [-q] [--strict] DESIGN [-o FILE]"), std::string::npos);
}

}  // namespace
}  // namespace quill
