#include <gtest/gtest.h>

#include <sstream>

#include "TestSupport.h"
#include "cli/QuillRun.h"
#include "cli/QuillCommand.h"
#include "quill/quill.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

using test::Quill;
using test::TResult;

const std::string kCard = (fs::path(QUILL_SOURCE_DIR) / "examples/contact-card.form.json").string();
const std::string kPageOne = (fs::path(QUILL_SOURCE_DIR) / "src/aspserver/PageOne.form.json").string();

TEST(RenderSet, GivesThePageTheAPIMakesWithTheSameValues) {
    TResult r = Quill({"render", kCard, "--set", "NameLabel.Caption=Grace Hopper", "--set",
                       "NameLabel.CellFormat.AlignH=haRight", "--set", "Header.Title=a=b"});
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(r.Err, "");
    Page page = Design::FromFile(kCard).NewPage();
    page.Set("NameLabel.Caption", "Grace Hopper");
    page.Set("NameLabel.CellFormat.AlignH", "haRight");
    page.Set("Header.Title", "a=b");
    EXPECT_EQ(r.Out, page.Render());
    EXPECT_NE(r.Out.find("<title>a=b</title>"), std::string::npos);
    EXPECT_NE(r.Out, Quill({"render", kCard}).Out);
}

TEST(RenderSet, LaterValuesWinAndTheServersFormTakesThemToo) {
    TResult r = Quill({"render", kPageOne, "--set", "QuillLabel1.Caption=one", "--set", "QuillLabel1.Caption=two"});
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(r.Out.find("one"), std::string::npos);
    EXPECT_NE(r.Out.find(">two</font>"), std::string::npos);
    TResult piped = Quill({"render", "-", "--set", "QuillLabel1.Caption=two"}, test::ReadFile(kPageOne));
    EXPECT_EQ(piped.Out, r.Out);
}

TEST(RenderSet, SavesTheChangedPage) {
    test::TTempDir dir("quill-set");
    const std::string file = (dir / "page.html").string();
    TResult r = Quill({"render", kCard, "-o", file, "--set", "PhoneLabel.Visible=false"});
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(test::ReadFile(file), Quill({"render", kCard, "--set", "PhoneLabel.Visible=false"}).Out);
    EXPECT_EQ(test::ReadFile(file).find("+44"), std::string::npos);
}

TEST(RenderSet, RefusedValuesExitWithTheAPIsMessageAndNoPage) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"NameLabl.Caption=x", "quill: NameLabl.Caption: no component named \"NameLabl\"; did you mean NameLabel?\n"},
        {"NameLabel.Capton=x", "quill: NameLabel.Capton: unknown property of TQuillLabel; did you mean Caption?\n"},
        {"NameLabel.Left=wide", "quill: NameLabel.Left: expected an integer, got \"wide\"\n"},
    };
    for (const auto& [setting, message] : cases) {
        TResult r = Quill({"render", kCard, "--set", setting});
        EXPECT_EQ(r.Code, 1) << setting;
        EXPECT_EQ(r.Out, "");
        EXPECT_EQ(r.Err, message);
    }
    test::TTempDir dir("quill-set-refused");
    TResult saved = Quill({"render", kCard, "-o", (dir / "page.html").string(), "--set", "NameLabel.Left=wide"});
    EXPECT_EQ(saved.Code, 1);
    EXPECT_FALSE(fs::exists(dir / "page.html"));
}

TEST(RenderSet, UsageMistakesAndHelp) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"render", kCard, "--set"}, {"render", kCard, "--set", "NameLabel.Caption"}}) {
        TResult r = Quill(args);
        EXPECT_EQ(r.Code, 2);
        EXPECT_EQ(r.Err, "quill: '--set' needs NAME.PROPERTY=VALUE\nTry 'quill --help'.\n");
    }
    EXPECT_NE(Quill({"--help"}).Out.find("--set NAME.PROPERTY=VALUE"), std::string::npos);
}

}  // namespace
}  // namespace quill
