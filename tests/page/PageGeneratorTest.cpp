#include "page/QuillGenerator.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <thread>

#include "TestSupport.h"
#include "controls/QuillCustomControl.h"
#include "framework/Exception.h"
#include "framework/Form.h"
#include "framework/Label.h"
#include "framework/Panel.h"
#include "page/QuillHeader.h"

namespace quill {
namespace {

using test::LinesOf;
using Lines = std::vector<std::string>;

const Lines kFrameOpen = {"<html>",  "<head>",  " <style type=\"text/css\">",
                          "\tbody { background: #F0F0F0; color: black; margin: 0}",
                          " </style>", "</head>", "<body>"};
const Lines kFrameClose = {"</body>", "</html>"};
const Lines kEmptyTable = {R"(<table cellpadding="0" cellspacing="0">)", "</table>"};

Lines Join(std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

// Writes "open P" and "close P" with its priority P.
class TMarker : public TQuillComponent {
public:
    using TQuillComponent::TQuillComponent;
    void WriteHtml(TQuillPageSection section, TStrings& lines) override {
        if (FailOn == section) throw Exception("marker failed");
        lines.Add((section == psOpening ? "open " : "close ") + std::to_string(Priority()));
    }
    int FailOn = -1;
};

class PageGenerator : public ::testing::Test {
protected:
    PageGenerator() {
        Form.ChangeBounds(0, 0, 368, 324);
        Generator = new TQuillHtmlGenerator(&Form);
    }
    TQuillCustomControl* AddControl(TWinControl& parent, TRect bounds, const std::string& caption) {
        auto* c = new TQuillCustomControl(&Form);
        c->SetParent(&parent);
        c->ChangeBounds(bounds.Left, bounds.Top, bounds.Right - bounds.Left, bounds.Bottom - bounds.Top);
        c->SetCaption(caption);
        return c;
    }
    Lines Run() { return LinesOf(*Generator->Generate()); }

    TForm Form{nullptr};
    TQuillHtmlGenerator* Generator;
};

TEST_F(PageGenerator, EmptyRootWithAndWithoutHeader) {
    EXPECT_EQ(Run(), kEmptyTable);
    new TQuillHeader(&Form);
    EXPECT_EQ(Run(), Join({kFrameOpen, kEmptyTable, kFrameClose}));
}

TEST(PageGeneratorOrder, PageComponentListedBeforeTheGeneratorStillFramesThePage) {
    TForm form(nullptr);
    form.ChangeBounds(0, 0, 368, 324);
    auto* header = new TQuillHeader(&form);
    auto* generator = new TQuillHtmlGenerator(&form);
    EXPECT_EQ(generator->CollectPageComponents(), std::vector<TQuillComponent*>{header});
    EXPECT_EQ(LinesOf(*generator->Generate()), Join({kFrameOpen, kEmptyTable, kFrameClose}));
}

TEST_F(PageGenerator, OneControlInItsCell) {
    AddControl(Form, {12, 48, 106, 67}, "Hominahomina.");
    EXPECT_EQ(Run(), (Lines{R"(<table cellpadding="0" cellspacing="0">)", "<tr>", R"(<td width="12" height="48"></td>)",
                            R"(<td width="94" height="48"></td>)", R"(<td width="262" height="48"></td>)", "</tr>",
                            "<tr>", R"(<td width="12" height="19"></td>)", R"(<td valign="top" width="94">)",
                            "Hominahomina.</td>", R"(<td width="262" height="19"></td>)", "</tr>", "</table>"}));
}

TEST_F(PageGenerator, OnlyVisibleDirectPageControlsAreOnThePage) {
    auto* hidden = AddControl(Form, {0, 0, 10, 10}, "hidden");
    hidden->SetVisible(false);
    auto* panel = new TPanel(&Form);
    panel->SetParent(&Form);
    panel->ChangeBounds(100, 100, 50, 50);
    AddControl(*panel, {0, 0, 10, 10}, "nested");
    auto* plain = new TLabel(&Form);
    plain->SetParent(&Form);
    plain->SetCaption("plain");
    AddControl(Form, {0, 0, 368, 20}, "shown");
    EXPECT_EQ(Run(), (Lines{R"(<table cellpadding="0" cellspacing="0">)", "<tr>", R"(<td valign="top" width="368">)",
                            "shown</td>", "</tr>", "</table>"}));
    // CollectControls sees every control, depth first, each before its children.
    std::vector<TControl*> all = Generator->CollectControls();
    ASSERT_EQ(all.size(), 8u);  // each page control holds its frame shape
    EXPECT_EQ(all[0], plain);
    EXPECT_EQ(all[1], hidden);
    EXPECT_EQ(all[2], hidden->FrameShape());
    EXPECT_EQ(all[3], panel);
    EXPECT_EQ(all[5]->Parent(), all[4]);
}

TEST_F(PageGenerator, CenterPageCentresTheTable) {
    Generator->SetCenterPage(true);
    EXPECT_EQ(Run()[0], R"(<table cellpadding="0" cellspacing="0" align="center">)");
}

TEST_F(PageGenerator, ContainerSetThenDestroyed) {
    auto* panel = new TPanel(&Form);
    panel->SetParent(&Form);
    panel->ChangeBounds(0, 0, 200, 100);
    panel->SetColor(12967650);
    AddControl(*panel, {0, 0, 200, 10}, "inside");
    AddControl(Form, {0, 0, 368, 10}, "outside");
    new TQuillHeader(&Form);
    Generator->SetContainer(panel);
    EXPECT_EQ(Generator->PageRoot(), panel);
    Lines page = Run();
    EXPECT_EQ(page[3], "\tbody { background: #E2DEC5; color: black; margin: 0}");
    EXPECT_EQ(page[10], "inside</td>");
    delete panel;
    EXPECT_EQ(Generator->Container(), nullptr);
    EXPECT_EQ(Generator->PageRoot(), &Form);
    page = Run();
    EXPECT_EQ(page[3], "\tbody { background: #F0F0F0; color: black; margin: 0}");
    EXPECT_EQ(page[9], R"(<td valign="top" width="368">)");
    EXPECT_EQ(page[10], "outside</td>");
}

TEST_F(PageGenerator, ContainerOfAnotherFormStillSendsItsNotice) {
    auto other = std::make_unique<TForm>(nullptr);
    auto* panel = new TPanel(other.get());
    Generator->SetContainer(panel);
    other.reset();
    EXPECT_EQ(Generator->Container(), nullptr);
    EXPECT_EQ(Run(), kEmptyTable);
}

TEST_F(PageGenerator, FailingBeforeGenerateHandlerIsRecordedAndTheRunGoesOn) {
    Generator->OnBeforeGenerate = [](TObject*) { throw Exception("message"); };
    EXPECT_EQ(Run(), kEmptyTable);
    EXPECT_EQ(Run(), kEmptyTable);
    EXPECT_EQ(Generator->ErrorText(), "message - message - ");
}

TEST_F(PageGenerator, OtherExceptionsFromTheHandlerLeaveGenerate) {
    Generator->OnBeforeGenerate = [](TObject*) { throw std::runtime_error("not ours"); };
    EXPECT_THROW(Generator->Generate(), std::runtime_error);
    EXPECT_EQ(Generator->ErrorText(), "");
}

TEST_F(PageGenerator, HandlerChangesAreRenderedInTheSameRun) {
    auto* label = AddControl(Form, {0, 0, 368, 10}, "before");
    auto* panel = new TPanel(&Form);
    panel->SetParent(&Form);
    panel->ChangeBounds(0, 20, 100, 50);
    AddControl(*panel, {0, 0, 100, 10}, "in panel");
    TObject* sender = nullptr;
    Generator->OnBeforeGenerate = [&](TObject* s) {
        sender = s;
        label->SetCaption("after");
    };
    EXPECT_EQ(Run()[3], "after</td>");
    EXPECT_EQ(sender, Generator);
    Generator->OnBeforeGenerate = [&](TObject*) { Generator->SetContainer(panel); };
    EXPECT_EQ(Run()[3], "in panel</td>");
}

TEST_F(PageGenerator, PageComponentsNestByPriority) {
    for (int p : {10, -5, 0}) (new TMarker(&Form))->SetPriority(p);
    EXPECT_EQ(Run(), Join({{"open -5", "open 0", "open 10"}, kEmptyTable, {"close 10", "close 0", "close -5"}}));
}

TEST_F(PageGenerator, ComponentsOfOtherOwnersTakeNoPart) {
    TForm other(nullptr);
    new TMarker(&other);
    EXPECT_EQ(Run(), kEmptyTable);
}

TEST_F(PageGenerator, TwoRunsInARowGiveTheSamePage) {
    new TQuillHeader(&Form);
    AddControl(Form, {0, 0, 10, 10}, "x");
    Lines first = Run();
    EXPECT_EQ(Run(), first);
    EXPECT_EQ(&Generator->Lines(), Generator->Generate());
}

TEST_F(PageGenerator, KeptTableAndBuffersServeLaterRunsAsThePageChanges) {
    // Each run of the generator, which keeps its table and buffers, must
    // equal the first run of a new generator on the same form.
    new TQuillHeader(&Form);
    auto* a = AddControl(Form, {10, 10, 100, 30}, "a");
    auto* b = AddControl(Form, {50, 20, 200, 60}, "b");
    auto fresh = [this] {
        TQuillHtmlGenerator other(&Form);
        other.SetCenterPage(Generator->CenterPage());
        return LinesOf(*other.Generate());
    };
    const std::vector<std::function<void()>> changes = {
        [] {},
        [&] { a->HtmlFont().SetFontName("Arial"); },
        [&] { a->HtmlFont().SetFontStyle(TFontStyles{fsBold}); },
        [&] { b->HtmlLink().SetHref("next.html"); },
        [&] { b->CellFormat().SetColor(clYellow), b->CellFormat().SetParentColor(false); },
        [&] { Generator->SetCenterPage(true); },
        // Enough controls for a table that is not kept, then a small one again.
        [&] {
            for (int i = 0; i < 140; ++i) AddControl(Form, {i * 3, 100 + i * 2, i * 3 + 2, 101 + i * 2}, "");
        },
        [&] {
            while (Form.ControlCount() > 2) delete Form.Controls(Form.ControlCount() - 1);
        },
        [&] { b->SetVisible(false); },
    };
    for (size_t i = 0; i < changes.size(); ++i) {
        changes[i]();
        EXPECT_EQ(Run(), fresh()) << "after change " << i;
    }
}

TEST_F(PageGenerator, ContentMadeFromAnotherControlsHtmlKeepsBothIntact) {
    // A control's content may ask another control for its line meanwhile.
    auto* inner = AddControl(Form, {0, 0, 0, 0}, "inner");
    inner->SetVisible(false);
    inner->HtmlFont().SetFontName("Arial");
    auto* outer = AddControl(Form, {0, 0, 368, 10}, "outer");
    outer->HtmlFont().SetFontName("Courier");
    outer->SetOnGenerateContent([inner](std::string& content) {
        TStringList lines;
        inner->GetHtml(lines);
        content += " [" + lines[0] + "]";
    });
    EXPECT_EQ(Run()[3], R"(<font face="Courier">outer [<font face="Arial">inner</font>]</font></td>)");
}

TEST_F(PageGenerator, PageMadeWhileAnotherIsMadeGetsATableOfItsOwn) {
    // The thread's table generator is lent to the outer page meanwhile.
    TForm other(nullptr);
    other.ChangeBounds(0, 0, 100, 50);
    auto* inner = new TQuillHtmlGenerator(&other);
    auto* innerControl = new TQuillCustomControl(&other);
    innerControl->SetParent(&other);
    innerControl->ChangeBounds(10, 10, 30, 20);
    innerControl->SetCaption("inner");
    const Lines innerPage = LinesOf(*inner->Generate());
    AddControl(Form, {0, 0, 100, 10}, "first");
    auto* outer = AddControl(Form, {0, 20, 368, 30}, "outer");
    AddControl(Form, {0, 40, 50, 50}, "last");
    outer->SetOnGenerateContent([&](std::string& content) {
        EXPECT_EQ(LinesOf(*inner->Generate()), innerPage);
        content += " " + std::to_string(inner->Lines().Count());
    });
    const Lines page = Run();
    outer->SetOnGenerateContent({});
    Lines expected = Run();
    for (std::string& line : expected)
        if (line == "outer</td>") line = "outer " + std::to_string(innerPage.size()) + "</td>";
    EXPECT_EQ(page, expected);
}

TEST_F(PageGenerator, ErrorInAPassKeepsTheLinesWrittenSoFar) {
    auto* marker = new TMarker(&Form);
    marker->FailOn = psClosing;
    EXPECT_THROW(Generator->Generate(), Exception);
    EXPECT_EQ(LinesOf(Generator->Lines()), Join({{"open 0"}, kEmptyTable}));
    EXPECT_FALSE(Generator->Lines().Updating());
}

TEST_F(PageGenerator, ErrorWhileCollectingKeepsThePreviousPage) {
    TComponent holder(nullptr);  // not a control: no page root
    auto* stray = new TQuillHtmlGenerator(&holder);
    EXPECT_THROW(stray->Generate(), Exception);
    Run();
    Lines previous = LinesOf(Generator->Lines());
    Generator->OnBeforeGenerate = [&](TObject*) { Generator->SetContainer(nullptr); };
    EXPECT_EQ(Run(), previous);
}

TEST_F(PageGenerator, PageTitleIsTheTitleOfTheHeaderThatWroteLast) {
    auto* first = new TQuillHeader(&Form);
    first->SetTitle("");
    auto* second = new TQuillHeader(&Form);
    second->SetPriority(1);
    second->SetTitle("Second");
    Lines page = Run();
    EXPECT_EQ(Generator->PageTitle(), "");
    EXPECT_EQ(page[0], "<html>");
    EXPECT_EQ(page[7], "<html>");  // the second frame nests inside the first
    EXPECT_EQ(page[9], " <title>Second</title>");
}

TEST_F(PageGenerator, ControlEventsAdjustTheirCells) {
    auto* a = AddControl(Form, {0, 0, 368, 10}, "a");
    auto* b = AddControl(Form, {0, 10, 368, 20}, "b");
    auto* c = AddControl(Form, {0, 20, 368, 30}, "c <&>");
    auto* d = AddControl(Form, {0, 30, 368, 40}, "d");
    a->SetOnGetHtml([](TStrings& s) {
        s.Add("partial");
        throw Exception("fails midway");
    });
    b->SetOnUpdateTag([](THtmlTag& t) {
        t.SetAttribute("id", "b");
        throw Exception("fails too");
    });
    c->SetOnGenerateContent([](std::string& content) { content = "[" + content + "]"; });
    d->SetOnGetHtml([](TStrings& s) {
        s.Add("one");
        s.Add("");
        s.Add("three");
    });
    Lines page = Run();
    EXPECT_EQ(page, (Lines{R"(<table cellpadding="0" cellspacing="0">)", "<tr>", R"(<td valign="top" width="368">)",
                           "partial</td>", "</tr>", "<tr>", R"(<td valign="top" width="368" id="b">)", "b</td>", "</tr>",
                           "<tr>", R"(<td valign="top" width="368">)", "[c <&>]</td>", "</tr>", "<tr>",
                           R"(<td valign="top" width="368">)", "one", "", "three</td>", "</tr>", "</table>"}));
    a->SetOnGetHtml([](TStrings&) { throw Exception("fails at once"); });
    EXPECT_EQ(Run()[2], R"(<td valign="top" width="368"></td>)");
}

TEST_F(PageGenerator, GenerateToFileWritesCrLfAndReplacesAtomically) {
    test::TTempDir dir("quill-page");
    new TQuillHeader(&Form);
    std::string page = (dir / "page.html").string();
    test::WriteFile(page, "old");
    EXPECT_TRUE(Generator->GenerateToFile(page));
    EXPECT_EQ(test::ReadFile(page), Generator->Lines().Text());
    EXPECT_EQ(test::ReadFile(page).substr(0, 14), "<html>\r\n<head>");

    EXPECT_EQ(Generator->LastSaveError(), "");

    EXPECT_FALSE(Generator->GenerateToFile((dir / "missing" / "page.html").string()));
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
    EXPECT_EQ(Generator->LastSaveError(),
              (dir / "missing" / "page.html").string() + ": cannot create the file: No such file or directory");

    // A target that cannot be replaced keeps what it held.
    std::filesystem::create_directories(dir / "busy.html" / "inside");
    EXPECT_FALSE(Generator->GenerateToFile((dir / "busy.html").string()));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "busy.html" / "inside"));

    // A failing run writes nothing and keeps the old page.
    test::WriteFile(page, "old");
    (new TMarker(&Form))->FailOn = psOpening;
    EXPECT_FALSE(Generator->GenerateToFile(page));
    EXPECT_EQ(Generator->LastSaveError(), "marker failed");
    EXPECT_EQ(test::ReadFile(page), "old");
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        EXPECT_TRUE(entry.path().filename() == "page.html" || entry.path().filename() == "busy.html")
            << "temporary left behind: " << entry.path();
}

TEST_F(PageGenerator, ChangeHandlerFailingAsTheRunEndsIsAnOrdinaryError) {
    test::TTempDir dir("quill-change");
    const std::string page = (dir / "page.html").string();
    test::WriteFile(page, "old");
    int calls = 0;
    static_cast<TStringList&>(Generator->Lines()).OnChange = [&](TObject*) {
        ++calls;
        throw Exception("change refused");
    };
    EXPECT_THROW(Generator->Generate(), Exception);
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(Generator->Lines().Updating());
    EXPECT_FALSE(Generator->GenerateToFile(page));
    EXPECT_EQ(Generator->LastSaveError(), "change refused");
    EXPECT_EQ(test::ReadFile(page), "old");

    // When a pass fails too, its error is the one that leaves the run.
    (new TMarker(&Form))->FailOn = psClosing;
    try {
        Generator->Generate();
        ADD_FAILURE() << "the run should fail";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "marker failed");
    }
    EXPECT_FALSE(Generator->Lines().Updating());
}

TEST_F(PageGenerator, OpenFileHandsTheFileToTheDesktopAsOneArgument) {
    test::TTempDir dir("quill-open");
    std::string log = (dir / "opened.txt").string();
    test::WriteFile(dir / "xdg-open", "#!/bin/sh\nprintf '%s|' \"$#\" \"$@\" > \"" + log + ".part\"; mv \"" + log +
                                          ".part\" \"" + log + "\"\n");
    std::filesystem::permissions(dir / "xdg-open", std::filesystem::perms::owner_all);
    const char* oldPath = std::getenv("PATH");
    std::string savedPath = oldPath ? oldPath : "";
    setenv("PATH", (dir.Path().string() + ":" + savedPath).c_str(), 1);
    platform::TOpenResult result = Generator->OpenFile("/tmp/my page; rm -rf x.html");
    setenv("PATH", savedPath.c_str(), 1);
    // The answer comes once the opener has ended.
    EXPECT_TRUE(result.Opened) << result.Reason;
    EXPECT_EQ(test::ReadFile(log), "1|/tmp/my page; rm -rf x.html|");
}

TEST_F(PageGenerator, OpenFileNeverRaisesAndTellsWhyNothingWasOpened) {
    const char* oldPath = std::getenv("PATH");
    std::string savedPath = oldPath ? oldPath : "";
    setenv("PATH", "/nonexistent", 1);
    platform::TOpenResult result;
    EXPECT_NO_THROW(result = Generator->OpenFile("page.html"));
    setenv("PATH", savedPath.c_str(), 1);
    EXPECT_FALSE(result.Opened);
    EXPECT_EQ(result.Reason, "xdg-open was not found on PATH");
}

}  // namespace
}  // namespace quill
