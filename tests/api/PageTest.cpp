#include "quill/quill.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <thread>
#include <vector>

#include "TestSupport.h"
#include "framework/Form.h"
#include "page/QuillGenerator.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

const fs::path kSource = QUILL_SOURCE_DIR;
const fs::path kCard = kSource / "examples/contact-card.form.json";

nlohmann::json CardJson() { return nlohmann::json::parse(test::ReadFile(kCard)); }

// The card's design with one value changed in its text: what a page must
// show when the same value is set at run time.
std::string EditedCard(const std::string& component, const std::vector<std::string>& path, const nlohmann::json& value) {
    nlohmann::json design = CardJson();
    nlohmann::json* object = &design;
    if (component != design["name"])
        for (nlohmann::json& child : design["children"])
            if (child["name"] == component) object = &child;
    nlohmann::json* place = &(*object)["properties"];
    for (const std::string& part : path) place = &(*place)[part];
    *place = value;
    return Design::FromString(design.dump(), "edited.json").NewPage().Render();
}

TEST(DesignApi, RendersTheDesignsPageAndEachPageIsItsOwn) {
    Design design = Design::FromFile(kCard.string());
    EXPECT_EQ(design.Name(), kCard.string());
    const std::string golden = test::ReadFile(kSource / "tests/golden/contact-card.html");
    Page first = design.NewPage();
    first.Set("NameLabel.Caption", "Grace Hopper");
    Page second = design.NewPage();
    EXPECT_EQ(second.Render(), golden);
    EXPECT_NE(first.Render(), golden);
    EXPECT_EQ(design.NewPage().Render(), golden);
    std::ostringstream streamed;
    first.Render(streamed);
    EXPECT_EQ(streamed.str(), first.Render());
    EXPECT_EQ(Design::FromString(test::ReadFile(kCard), "card").NewPage().Render(), golden);
}

struct TSetCase {
    std::string Path;
    std::string Text;
    std::string Component;
    std::vector<std::string> Stored;  // where the design holds the value
    nlohmann::json Value;
};

TEST(DesignApi, SetsEachKindOfValueAsTheDesignWould) {
    const std::vector<TSetCase> cases = {
        {"NameLabel.Caption", "Grace <b>Hopper</b>", "NameLabel", {"Caption"}, "Grace <b>Hopper</b>"},
        {"NameLabel.CellFormat.AlignH", "haRight", "NameLabel", {"CellFormat", "AlignH"}, "haRight"},
        {"namelabel.Width", "250", "NameLabel", {"Width"}, 250},
        {"NameLabel.Left", "+5", "NameLabel", {"Left"}, 5},
        {"RoleLabel.Top", "-10", "RoleLabel", {"Top"}, -10},
        {"RoleLabel.HtmlFont.FontColor", "clGreen", "RoleLabel", {"HtmlFont", "FontColor"}, "clGreen"},
        {"NameLabel.Visible", "False", "NameLabel", {"Visible"}, false},
        {"NameLabel.HtmlFont.FontStyle", "fsItalic, fsUnderline", "NameLabel", {"HtmlFont", "FontStyle"},
         nlohmann::json::array({"fsItalic", "fsUnderline"})},
        {"NameLabel.HtmlFont.FontStyle", "[]", "NameLabel", {"HtmlFont", "FontStyle"}, nlohmann::json::array()},
        {"NameLabel.HtmlFont.FontColor", "clRed", "NameLabel", {"HtmlFont", "FontColor"}, "clRed"},
        {"NameLabel.HtmlFont.FontColor", "65280", "NameLabel", {"HtmlFont", "FontColor"}, 65280},
        {"NameLabel.HtmlFont.FontColor", "#1f4e79", "NameLabel", {"HtmlFont", "FontColor"}, "#1F4E79"},
        {"MailLabel.HtmlLink.Href", "https://example.org/?a=1&b=2", "MailLabel", {"HtmlLink", "Href"},
         "https://example.org/?a=1&b=2"},
        {"Generator.CenterPage", "false", "Generator", {"CenterPage"}, false},
        {"Header.Title", "", "Header", {"Title"}, ""},
        {"Header.RefreshSeconds", "30", "Header", {"RefreshSeconds"}, 30},
        {"ContactCard.Color", "clYellow", "ContactCard", {"Color"}, "clYellow"},
    };
    Design design = Design::FromFile(kCard.string());
    for (const TSetCase& c : cases) {
        Page page = design.NewPage();
        page.Set(c.Path, c.Text);
        EXPECT_EQ(page.Render(), EditedCard(c.Component, c.Stored, c.Value)) << c.Path << " = " << c.Text;
    }
}

TEST(DesignApi, ValuesApplyInOrderAndReferencesResolveInThePage) {
    const std::string design = R"({"class": "TForm", "name": "F", "properties": {"Width": 300}, "children": [
      {"class": "TPanel", "name": "Box", "properties": {"Left": 10, "Top": 10, "Width": 100, "Height": 50}, "children": [
        {"class": "TQuillLabel", "name": "Inner",
         "properties": {"Left": 5, "Top": 5, "Width": 80, "Height": 20, "Caption": "inside", "AutoSize": false}}]},
      {"class": "TQuillLabel", "name": "Outer",
       "properties": {"Left": 10, "Top": 70, "Width": 100, "Height": 20, "Caption": "outside", "AutoSize": false}},
      {"class": "TQuillHtmlGenerator", "name": "G"}]})";
    Page page = Design::FromString(design, "refs.json").NewPage();
    page.Set("Outer.Caption", "first");
    page.Set("Outer.Caption", "second");
    std::string html = page.Render();
    EXPECT_NE(html.find("second"), std::string::npos);
    EXPECT_EQ(html.find("first"), std::string::npos);
    EXPECT_EQ(html.find("inside"), std::string::npos);
    page.Set("G.Container", "box");
    html = page.Render();
    EXPECT_NE(html.find("inside"), std::string::npos);
    EXPECT_EQ(html.find("second"), std::string::npos);
    page.Set("G.Container", "");
    EXPECT_NE(page.Render().find("second"), std::string::npos);
}

struct TErrorCase {
    std::string Path;
    std::string Text;
    std::string Message;
};

TEST(DesignApi, WrongNamesAndValuesSayWhatTheyCouldHaveBeenAndChangeNothing) {
    const std::vector<TErrorCase> cases = {
        {"NameLabl.Caption", "x", "NameLabl.Caption: no component named \"NameLabl\"; did you mean NameLabel?"},
        {"Nobody.Caption", "x", "Nobody.Caption: no component named \"Nobody\""},
        {"NameLabel.Captoin", "x", "NameLabel.Captoin: unknown property of TQuillLabel; did you mean Caption?"},
        {"NameLabel.caption", "x", "NameLabel.caption: unknown property of TQuillLabel; did you mean Caption?"},
        {"NameLabel.CellFormat.AlignHH", "haRight",
         "NameLabel.CellFormat.AlignHH: unknown property of THtmlTableDataProperty; did you mean AlignH?"},
        {"NameLabel.CellFormat.AlignH", "right",
         "NameLabel.CellFormat.AlignH: unknown member \"right\" of THtmlAlignH; did you mean haRight? (members: "
         "haDefault, haLeft, haCenter, haRight)"},
        {"NameLabel.Caption.Text", "x", "NameLabel.Caption: a String has no properties of its own"},
        {"NameLabel.CellFormat", "haRight",
         "NameLabel.CellFormat: a THtmlTableDataProperty takes its values one by one, as NameLabel.CellFormat.AlignV"},
        {"NameLabel.Left", "12px", "NameLabel.Left: expected an integer, got \"12px\""},
        {"NameLabel.Left", "", "NameLabel.Left: expected an integer, got \"\""},
        {"NameLabel.Left", "+-3", "NameLabel.Left: expected an integer, got \"+-3\""},
        {"NameLabel.Left", "3000000000", "NameLabel.Left: value 3000000000 out of range"},
        {"NameLabel.Left", "99999999999999999999", "NameLabel.Left: value 99999999999999999999 out of range"},
        {"NameLabel.AutoSize", "yes", "NameLabel.AutoSize: expected true or false, got \"yes\""},
        {"NameLabel.HtmlFont.FontStyle", "fsBold,fsBlink",
         "NameLabel.HtmlFont.FontStyle: unknown member \"fsBlink\" of TFontStyle"},
        {"NameLabel.HtmlFont.FontColor", "#FFF",
         "NameLabel.HtmlFont.FontColor: invalid colour \"#FFF\"; write \"#RRGGBB\": \"#\" and six hexadecimal digits, "
         "red, green, blue"},
        {"Generator.Container", "Nowhere", "Generator.Container: no component named \"Nowhere\""},
        {"Generator.Container", "header", "Generator.Container: \"header\" is a TQuillHeader, not a TWinControl"},
        {"NameLabel", "x", "NameLabel: expected COMPONENT.PROPERTY, such as QuillLabel1.Caption"},
        {"NameLabel.", "x", "NameLabel.: expected COMPONENT.PROPERTY, such as QuillLabel1.Caption"},
        {".Caption", "x", ".Caption: expected COMPONENT.PROPERTY, such as QuillLabel1.Caption"},
        {"NameLabel..Caption", "x", "NameLabel..Caption: expected COMPONENT.PROPERTY, such as QuillLabel1.Caption"},
        {"NameLabel.Caption", std::string(1024 * 1024 + 1, 'x'), "NameLabel.Caption: a value longer than 1048576 bytes"},
    };
    Design design = Design::FromFile(kCard.string());
    const std::string golden = design.NewPage().Render();
    for (const TErrorCase& c : cases) {
        Page page = design.NewPage();
        try {
            page.Set(c.Path, c.Text);
            ADD_FAILURE() << c.Path << " = " << c.Text << " was taken";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message().substr(0, c.Message.size()), c.Message) << e.Message();
        }
        EXPECT_EQ(page.Render(), golden) << c.Path;
    }
}

TEST(DesignApi, LoadingRefusesWhatCannotServePages) {
    test::TTempDir dir("quill-api");
    auto message = [](auto load) {
        try {
            load();
        } catch (const Exception& e) {
            return e.Message();
        }
        return std::string("(no error)");
    };
    EXPECT_EQ(message([] { Design::FromString(R"({"class": "TForm", "name": "F"})", "nogen.json"); }),
              "nogen.json: F: the form has no TQuillHtmlGenerator");
    EXPECT_EQ(message([] { Page::FromString(R"({"class": "TForm", "name": "F"})", "nogen.json"); }),
              "nogen.json: F: the form has no TQuillHtmlGenerator");
    EXPECT_EQ(message([] { Design::FromString("{", "broken.json"); }).rfind("broken.json:1:", 0), 0u);
    EXPECT_EQ(message([&] { Design::FromFile(dir.Path().string()); }),
              dir.Path().string() + ": cannot read the file: Is a directory");
    EXPECT_EQ(message([&] { Design::FromFile((dir / "absent.json").string()); }),
              (dir / "absent.json").string() + ": cannot read the file: No such file or directory");
}

// Names are looked up by index on a large form: the last of many labels,
// in any letter case, and names changed after the index was made.
TEST(DesignApi, FindsComponentsOfALargeForm) {
    nlohmann::json design = {{"class", "TForm"}, {"name", "Big"}, {"properties", {{"Width", 4000}}}};
    for (int i = 0; i < 2000; ++i)
        design["children"].push_back({{"class", "TQuillLabel"},
                                      {"name", "L" + std::to_string(i)},
                                      {"properties", {{"Left", 2 * i}, {"Top", 0}, {"Width", 2}, {"Height", 20}, {"AutoSize", false}}}});
    design["children"].push_back({{"class", "TQuillHtmlGenerator"}, {"name", "G"}});
    Page page = Design::FromString(design.dump(), "big.json").NewPage();
    page.Set("l1999.Caption", "last");
    page.Set("L0.Caption", "first");
    EXPECT_THROW(page.Set("L2000.Caption", "none"), Exception);
    // Renamed through the framework after the names were indexed.
    page.Form().FindComponent("L1")->SetName("Renamed");
    page.Form().FindComponent("L2")->SetName("L1");
    page.Set("renamed.Caption", "middle");
    page.Set("L1.Caption", "second");
    EXPECT_THROW(page.Set("L2.Caption", "none"), Exception);
    const std::string html = page.Render();
    EXPECT_LT(html.find("first"), html.find("middle"));
    EXPECT_LT(html.find("middle"), html.find("second"));
    EXPECT_LT(html.find("second"), html.find("last"));
    EXPECT_EQ(&page.Form(), page.Generator().Owner());
}

// One design shared by threads, each making its own pages: every page
// must be the one its own value gives.
TEST(DesignApi, ThreadsShareOneDesign) {
    const Design design = Design::FromFile(kCard.string());
    constexpr int kThreads = 4;
    constexpr int kPages = 40;
    auto caption = [](int thread, int page) { return "Visitor " + std::to_string(thread * 1000 + page); };
    // Made on this thread first, one design read each.
    std::vector<std::vector<std::string>> expected(kThreads);
    for (int t = 0; t < kThreads; ++t)
        for (int p = 0; p < kPages; ++p) {
            nlohmann::json card = CardJson();
            card["children"][0]["properties"]["Caption"] = caption(t, p);
            expected[static_cast<size_t>(t)].push_back(Design::FromString(card.dump(), "card").NewPage().Render());
        }
    std::vector<int> wrong(kThreads, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            for (int p = 0; p < kPages; ++p) {
                Page page = design.NewPage();
                page.Set("NameLabel.Caption", caption(t, p));
                page.Set("NameLabel.CellFormat.AlignH", p % 2 ? "haCenter" : "haRight");
                page.Set("NameLabel.CellFormat.AlignH", "haLeft");
                if (page.Render() != expected[static_cast<size_t>(t)][static_cast<size_t>(p)]) ++wrong[static_cast<size_t>(t)];
            }
        });
    for (std::thread& thread : threads) thread.join();
    for (int t = 0; t < kThreads; ++t) EXPECT_EQ(wrong[static_cast<size_t>(t)], 0) << "thread " << t;
}

}  // namespace
}  // namespace quill
