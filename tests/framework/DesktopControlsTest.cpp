#include <gtest/gtest.h>

#include <filesystem>

#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Exception.h"
#include "framework/ImageList.h"
#include "framework/Label.h"
#include "framework/ToolBar.h"

namespace quill {
namespace {

// Records what its controls report.
struct TRecordingView : TControlView {
    std::vector<std::pair<std::string, TControlChange>> Seen;
    void ControlChanged(TControl& control, TControlChange change) override { Seen.push_back({control.Name(), change}); }
};

TEST(Edit, ReportsEveryRealTextChangeButNotWhileLoading) {
    TEdit edit(nullptr);
    int changes = 0;
    edit.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &edit);
        ++changes;
    };
    edit.SetText("a");
    edit.SetText("a");
    EXPECT_EQ(changes, 1);
    edit.SetLoading(true);
    edit.SetText("read from a design");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(edit.Caption(), "read from a design");
}

TEST(ToolButton, CheckStyleTogglesDownBeforeTheClickEvent) {
    struct {
        TToolButtonStyle style;
        std::vector<bool> downSeenByHandler;
    } cases[] = {{tbsCheck, {true, false}}, {tbsButton, {false, false}}};
    for (const auto& c : cases) {
        TToolButton button(nullptr);
        button.SetStyle(c.style);
        std::vector<bool> seen;
        button.OnClick = [&](TObject*) { seen.push_back(button.Down()); };
        button.Click();
        button.Click();
        EXPECT_EQ(seen, c.downSeenByHandler);
    }
}

TEST(ToolBar, PlacesItsButtonsSideBySideAndTakesTheirSize) {
    TForm form(nullptr);
    auto* bar = new TToolBar(&form);
    bar->SetParent(&form);
    bar->SetAutoSize(true);
    std::vector<TToolButton*> buttons;
    for (int i = 0; i < 3; ++i) {
        buttons.push_back(new TToolButton(&form));
        buttons.back()->SetParent(bar);
    }
    EXPECT_EQ(bar->Width(), 69);
    EXPECT_EQ(bar->Height(), 22);
    EXPECT_EQ(buttons[2]->BoundsRect(), (TRect{46, 0, 69, 22}));
    bar->SetButtonWidth(30);
    EXPECT_EQ(bar->Width(), 90);
    EXPECT_EQ(buttons[1]->ToolBar(), bar);
}

TEST(ToolBar, ForgetsItsImageListWhenTheListGoes) {
    TForm form(nullptr);
    auto* bar = new TToolBar(&form);
    auto* images = new TImageList(&form);
    bar->SetImages(images);
    delete images;
    EXPECT_EQ(bar->Images(), nullptr);
}

TEST(ImageList, ReadsGlyphsFromTheirText) {
    TImageList images(nullptr);
    images.SetWidth(3);
    images.SetHeight(2);
    images.SetBitmap("#.. .#. ..# ###");
    EXPECT_EQ(images.Count(), 2);
    EXPECT_EQ(images.Pixel(0, 0, 0), clBlack);
    EXPECT_EQ(images.Pixel(0, 1, 0), clNone);
    EXPECT_EQ(images.Pixel(1, 2, 0), clBlack);
    EXPECT_EQ(images.Pixel(1, 0, 1), clBlack);
    EXPECT_THROW(images.Pixel(2, 0, 0), Exception);
    EXPECT_THROW(images.Pixel(0, 3, 0), Exception);
    // Glyphs of another size no longer fit.
    images.SetWidth(4);
    EXPECT_EQ(images.Count(), 0);
    EXPECT_EQ(images.Bitmap(), "");
}

TEST(ImageList, RefusesTextThatDoesNotFitItsSize) {
    struct {
        const char* text;
        const char* message;
    } cases[] = {{"#.. .#", "Glyphs.Bitmap: row 2 has 2 pixels, not 3"},
                 {"#.. .x.", "Glyphs.Bitmap: row 2 holds a character other than"},
                 {"#.. .#. ..#", "Glyphs.Bitmap: 3 rows do not make whole glyphs of 2"},
                 {"#..  .#.", "Glyphs.Bitmap: row 2 has 0 pixels, not 3"}};
    for (const auto& c : cases) {
        TImageList images(nullptr);
        images.SetName("Glyphs");
        images.SetWidth(3);
        images.SetHeight(2);
        images.SetBitmap("### ...");
        try {
            images.SetBitmap(c.text);
            ADD_FAILURE() << c.text;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message().rfind(c.message, 0), 0u) << e.Message();
        }
        EXPECT_EQ(images.Bitmap(), "### ...") << "kept after a refused text";
    }
}

TEST(ControlView, HearsOfEveryChangeAndOfTheEnd) {
    TRecordingView view;
    {
        TLabel label(nullptr);
        label.SetName("L");
        label.SetView(&view);
        label.SetCaption("text");
        label.SetAlignment(taCenter);
        label.SetAlignment(taCenter);
        label.SetColor(clRed);
        label.SetVisible(false);
    }
    using C = TControlChange;
    std::vector<TControlChange> kinds;
    for (const auto& [name, change] : view.Seen) kinds.push_back(change);
    EXPECT_EQ(kinds, (std::vector<C>{C::Bounds, C::Text, C::State, C::Color, C::Visible, C::Destroyed}));
}

struct TFakeWindowSystem : TWindowSystem {
    TForm* Shown = nullptr;
    int Run(TForm& mainForm) override {
        Shown = &mainForm;
        return 7;
    }
};

TEST(Application, RunsTheFirstFormItWasGivenAndThenFreesIt) {
    TApplication application;
    EXPECT_THROW(application.Run(), Exception);
    TFakeWindowSystem windows;
    application.Initialize(windows);
    EXPECT_THROW(application.Run(), Exception);
    TForm& first = application.CreateForm(std::make_unique<TForm>(nullptr));
    application.CreateForm(std::make_unique<TForm>(nullptr));
    EXPECT_EQ(application.MainForm(), &first);
    EXPECT_EQ(application.Run(), 7);
    EXPECT_EQ(windows.Shown, &first);
    EXPECT_EQ(application.MainForm(), nullptr);
}

TEST(Application, FreesItsFormsAlsoWhenTheLoopFails) {
    struct TFailingWindowSystem : TWindowSystem {
        int Run(TForm&) override { throw Exception("no screen"); }
    } windows;
    TApplication application;
    application.Initialize(windows);
    application.CreateForm(std::make_unique<TForm>(nullptr));
    EXPECT_THROW(application.Run(), Exception);
    EXPECT_EQ(application.MainForm(), nullptr);
}

TEST(Application, KnowsTheRunningProgramsFile) {
    std::filesystem::path exe = Application().ExeName();
    EXPECT_TRUE(exe.is_absolute());
    EXPECT_EQ(exe.filename(), "quill_tests");
    EXPECT_TRUE(std::filesystem::is_regular_file(exe));
}

}  // namespace
}  // namespace quill
