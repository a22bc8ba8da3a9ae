#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/ClassBuilder.h"
#include "framework/Exception.h"
#include "framework/FormReader.h"
#include "framework/FormWriter.h"
#include "framework/Label.h"
#include "framework/Panel.h"
#include "framework/StandardClasses.h"

namespace quill {
namespace {

std::vector<std::string> gLog;
int gLiveProbes = 0;

// A non-visual component that records the order its properties are set in.
class TOrderProbe : public TComponent {
public:
    explicit TOrderProbe(TComponent* owner) : TComponent(owner) { ++gLiveProbes; }
    ~TOrderProbe() override { --gLiveProbes; }
    static const TClassInfo& StaticInfo();
    const TClassInfo* PublishedInfo() const override { return &StaticInfo(); }
    std::string ClassName() const override { return "TOrderProbe"; }

    const std::string& Alpha() const { return FAlpha; }
    void SetAlpha(const std::string& v) {
        gLog.push_back(std::string("Alpha") + (Loading() ? " loading" : ""));
        FAlpha = v;
    }
    int Beta() const { return FBeta; }
    void SetBeta(int v) {
        gLog.push_back("Beta");
        FBeta = v;
    }
    TWinControl* Target() const { return FTarget; }
    void SetTarget(TWinControl* v) { SetComponentReference(FTarget, *this, v); }
    void RemovalNotice(TComponent* c, TOperation op) override {
        if (op == opRemove && c == FTarget) FTarget = nullptr;
    }
    void AfterLoad() override {
        TComponent::AfterLoad();
        gLog.push_back("AfterLoad " + Name());
    }

    TNotifyEvent OnPing;

private:
    std::string FAlpha;
    int FBeta = 7;
    TWinControl* FTarget = nullptr;
};

const TClassInfo& TOrderProbe::StaticInfo() {
    static const TClassInfo info = TClassBuilder<TOrderProbe>("TOrderProbe", &TComponent::StaticInfo())
                                       .Creatable()
                                       .DesignPosition()
                                       .String("Alpha", &TOrderProbe::Alpha, &TOrderProbe::SetAlpha)
                                       .Int("Beta", &TOrderProbe::Beta, &TOrderProbe::SetBeta, 7)
                                       .Reference<TWinControl>("Target", "TWinControl", &TOrderProbe::Target,
                                                               &TOrderProbe::SetTarget)
                                       .Event<TNotifyEvent>(
                                           "OnPing", "TNotifyEvent",
                                           [](const TOrderProbe& p) -> const TNotifyEvent& { return p.OnPing; },
                                           [](TOrderProbe& p, const TNotifyEvent& e) { p.OnPing = e; })
                                       .Build();
    return info;
}

class TTestForm : public TForm {
public:
    using TForm::TForm;
    static const TClassInfo& StaticInfo();
    const TClassInfo* PublishedInfo() const override { return &StaticInfo(); }
    std::string ClassName() const override { return "TTestForm"; }
    void Ping(TObject* sender) { Pings.push_back(sender); }
    void Rewrite(std::string& text) { text = "x"; }
    std::vector<TObject*> Pings;
};

const TClassInfo& TTestForm::StaticInfo() {
    static const TClassInfo info = TClassBuilder<TTestForm>("TTestForm", &TForm::StaticInfo())
                                       .Creatable()
                                       .Method<TNotifyEvent>("Ping", "TNotifyEvent", &TTestForm::Ping)
                                       .Method<TEvent<std::string&>>("Rewrite", "TRewriteEvent", &TTestForm::Rewrite)
                                       .Build();
    return info;
}

// A form class that makes a component of its own, which designs may name.
class TMakingForm : public TForm {
public:
    explicit TMakingForm(TComponent* owner) : TForm(owner) { (new TPanel(this))->SetName("Made"); }
    static const TClassInfo& StaticInfo() {
        static const TClassInfo info = TClassBuilder<TMakingForm>("TMakingForm", &TForm::StaticInfo()).Creatable().Build();
        return info;
    }
    const TClassInfo* PublishedInfo() const override { return &StaticInfo(); }
    std::string ClassName() const override { return "TMakingForm"; }
};

class FormDesign : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterStandardClasses();
        RegisterDesignClass(TOrderProbe::StaticInfo());
        RegisterDesignClass(TTestForm::StaticInfo());
        RegisterDesignClass(TMakingForm::StaticInfo());
        gLog.clear();
    }
};

const char* kDesign = R"({
  "class": "TTestForm",
  "name": "TestForm",
  "properties": {"Caption": "Test", "Width": 423, "Height": 357, "Color": 12967650,
                 "Font": {"Name": "Arial", "Height": -11, "Color": "clWindowText"}},
  "children": [
    {"class": "TPanel", "name": "Panel1", "properties": {"Align": "alTop", "Height": 63, "OnResize": "Ping"},
     "children": [{"class": "TLabel", "name": "Label1", "properties": {"Left": 8, "Top": 35, "Caption": "Message:"}}]},
    {"class": "TPanel", "name": "Panel2", "properties": {"Align": "alClient", "BevelOuter": "bvNone", "Color": "clWhite"}},
    {"class": "TOrderProbe", "name": "Probe", "properties": {"OnPing": "Ping", "Beta": 3, "Alpha": "a", "Target": "Panel2", "Left": 40}}
  ]
})";

TEST_F(FormDesign, ReadsTheComponentTree) {
    auto form = ReadFormDesignAs<TTestForm>(kDesign, "test.json");
    EXPECT_EQ(form->Name(), "TestForm");
    EXPECT_EQ(form->Caption(), "Test");
    EXPECT_EQ(form->Color(), 12967650);
    EXPECT_EQ(form->Font().Size(), 8);
    ASSERT_EQ(form->ComponentCount(), 4);
    auto* panel1 = dynamic_cast<TPanel*>(form->FindComponent("Panel1"));
    auto* panel2 = dynamic_cast<TPanel*>(form->FindComponent("Panel2"));
    auto* label = dynamic_cast<TLabel*>(form->FindComponent("Label1"));
    auto* probe = dynamic_cast<TOrderProbe*>(form->FindComponent("Probe"));
    ASSERT_TRUE(panel1 && panel2 && label && probe);
    EXPECT_EQ(label->Parent(), panel1);
    EXPECT_EQ(label->Owner(), form.get());
    EXPECT_EQ(label->Caption(), "Message:");
    EXPECT_EQ(label->Font().Name(), "Arial");  // from its parents
    EXPECT_EQ(panel1->BoundsRect(), (TRect{0, 0, 415, 63}));
    EXPECT_EQ(panel2->BoundsRect(), (TRect{0, 63, 415, 323}));
    EXPECT_EQ(panel2->Color(), clWhite);
    EXPECT_EQ(probe->Target(), panel2);
    EXPECT_EQ(probe->DesignLeft(), 40);
    ASSERT_TRUE(probe->OnPing);
    probe->OnPing(probe);
    EXPECT_EQ(form->Pings, std::vector<TObject*>{probe});
    for (int i = 0; i < form->ComponentCount(); ++i) EXPECT_FALSE(form->Components(i)->Loading());
    EXPECT_FALSE(form->Loading());
}

TEST_F(FormDesign, SetsPropertiesInPublishedOrderWhileLoadingThenRunsAfterLoad) {
    auto form = ReadFormDesign(kDesign, "test.json");
    EXPECT_EQ(gLog, (std::vector<std::string>{"Alpha loading", "Beta", "AfterLoad Probe"}));
}

TEST_F(FormDesign, FormsFromAStoredDesignAreMadeLikeReadOnesWithTheirOwnReferencesAndHandlers) {
    auto direct = ReadFormDesignAs<TTestForm>(kDesign, "test.json");
    const std::vector<std::string> readLog = gLog;
    const TFormDesign design(kDesign, "test.json");
    for (int i = 0; i < 2; ++i) {
        gLog.clear();
        auto form = FormAs<TTestForm>(design.CreateForm(), "test.json");
        EXPECT_EQ(gLog, readLog);
        EXPECT_EQ(WriteFormDesign(*form), WriteFormDesign(*direct));
        auto* probe = dynamic_cast<TOrderProbe*>(form->FindComponent("Probe"));
        ASSERT_TRUE(probe);
        EXPECT_EQ(probe->Target(), form->FindComponent("Panel2"));
        probe->OnPing(probe);
        EXPECT_EQ(form->Pings, std::vector<TObject*>{probe});
        auto* label = dynamic_cast<TLabel*>(form->FindComponent("Label1"));
        ASSERT_TRUE(label);
        EXPECT_EQ(label->Font().Name(), "Arial");
    }
    EXPECT_TRUE(direct->Pings.empty());
}

TEST_F(FormDesign, StoredDesignNamingAComponentTheFormMakesItselfReachesEachFormsOwn) {
    const char* text = R"({"class": "TMakingForm", "name": "F", "children": [
        {"class": "TOrderProbe", "name": "P", "properties": {"Target": "Made"}}]})";
    const TFormDesign design(text, "making.json");
    auto first = design.CreateForm();
    auto second = design.CreateForm();
    for (TForm* form : {first.get(), second.get()}) {
        auto* probe = dynamic_cast<TOrderProbe*>(form->FindComponent("P"));
        ASSERT_TRUE(probe);
        EXPECT_EQ(probe->Target(), form->FindComponent("Made"));
    }
}

TEST_F(FormDesign, WritesOnlyStoredPropertiesAndReadsBackEqual) {
    auto form = ReadFormDesign(kDesign, "test.json");
    std::string written = WriteFormDesign(*form);
    auto again = ReadFormDesign(written, "written.json");
    EXPECT_EQ(WriteFormDesign(*again), written);
    // Defaults and parent-given values are left out; references by name.
    EXPECT_EQ(written.find("\"Visible\""), std::string::npos);
    EXPECT_EQ(written.find("\"AutoSize\""), std::string::npos);
    EXPECT_NE(written.find("\"Target\": \"Panel2\""), std::string::npos);
    EXPECT_NE(written.find("\"OnPing\": \"Ping\""), std::string::npos);
    EXPECT_NE(written.find("\"Color\": \"clWhite\""), std::string::npos);
    EXPECT_NE(written.find("\"Color\": \"#E2DEC5\""), std::string::npos);
    auto* probe = dynamic_cast<TOrderProbe*>(again->FindComponent("Probe"));
    EXPECT_EQ(probe->Beta(), 3);
    EXPECT_EQ(probe->Alpha(), "a");
}

TEST_F(FormDesign, EveryKindOfBadDesignIsRefusedWithFileAndPath) {
    struct Case {
        const char* design;
        const char* message;
    } cases[] = {
        {R"({"class": "TForm", "name": "F",})", "bad.json:1:32: invalid JSON"},
        {"{\n  \"class\": \"TForm\"\n  \"name\": \"F\"}", "bad.json:3:8: invalid JSON: syntax error while parsing object"},
        {R"([1, 2])", "bad.json: (root): an object must be a JSON object, not an array"},
        {R"({"class": "TNoSuch", "name": "F"})", "bad.json: (root): unknown class \"TNoSuch\""},
        {R"({"class": "TPanel", "name": "F"})", "bad.json: F: the root must be a form, not a \"TPanel\""},
        {R"({"class": "TForm"})", "bad.json: (root): missing \"name\""},
        {R"({"class": "TForm", "name": "1F"})", "bad.json: (root): invalid name \"1F\""},
        {R"({"class": "TForm", "name": 5})", "bad.json: (root): \"name\" must be a string"},
        {R"({"class": "TForm", "name": "F", "colour": 1})", "bad.json: (root): unknown key \"colour\""},
        {R"({"class": "TForm", "name": "F", "children": [{"class": "TPanel"}]})",
         "bad.json: F.children[0]: missing \"name\""},
        {R"({"class": "TForm", "name": "F", "children": [{"class": "TPanel", "name": "P"}, {"class": "TPanel", "name": "p"}]})",
         "bad.json: F.p: duplicate name \"p\""},
        {R"({"class": "TForm", "name": "F", "children": [{"class": "TPanel", "name": "F"}]})",
         "bad.json: F.F: duplicate name \"F\""},
        {R"({"class": "TForm", "name": "F", "properties": {"Colour": 1}})", "bad.json: F.Colour: unknown property of TForm"},
        {R"({"class": "TForm", "name": "F", "properties": {"Width": "wide"}})",
         "bad.json: F.Width: expected an integer, got a string"},
        {R"({"class": "TForm", "name": "F", "properties": {"Width": 4294967296}})", "bad.json: F.Width: value"},
        {R"({"class": "TForm", "name": "F", "properties": {"Caption": 3}})",
         "bad.json: F.Caption: expected a string, got an integer"},
        {R"({"class": "TForm", "name": "F", "children": [{"class": "TLabel", "name": "L", "properties": {"Align": "alMiddle"}}]})",
         "bad.json: F.L.Align: unknown member \"alMiddle\" of TAlign"},
        {R"({"class": "TForm", "name": "F", "properties": {"Font": {"Style": ["fsBold", "fsBlink"]}}})",
         "bad.json: F.Font.Style: unknown member \"fsBlink\" of TFontStyle"},
        {R"({"class": "TForm", "name": "F", "properties": {"Color": "clPuce"}})",
         "bad.json: F.Color: unknown colour name \"clPuce\""},
        {R"({"class": "TForm", "name": "F", "properties": {"Color": true}})", "bad.json: F.Color: expected a colour"},
        {R"({"class": "TTestForm", "name": "F", "children": [{"class": "TOrderProbe", "name": "P", "properties": {"Target": "Nobody"}}]})",
         "bad.json: F.P.Target: no component named \"Nobody\""},
        {R"({"class": "TTestForm", "name": "F", "children": [{"class": "TLabel", "name": "L"}, {"class": "TOrderProbe", "name": "P", "properties": {"Target": "L"}}]})",
         "bad.json: F.P.Target: \"L\" is a TLabel, not a TWinControl"},
        {R"({"class": "TTestForm", "name": "F", "children": [{"class": "TOrderProbe", "name": "P", "properties": {"OnPing": "Pong"}}]})",
         "bad.json: F.P.OnPing: no published handler \"Pong\" in TTestForm"},
        {R"({"class": "TTestForm", "name": "F", "children": [{"class": "TOrderProbe", "name": "P", "properties": {"OnPing": "Rewrite"}}]})",
         "bad.json: F.P.OnPing: handler \"Rewrite\" is a TRewriteEvent, not a TNotifyEvent"},
        {R"({"class": "TForm", "name": "F", "children": [{"class": "TLabel", "name": "L", "children": [{"class": "TLabel", "name": "M"}]}]})",
         "bad.json: F.L.M: a TLabel does not accept designed children"},
        {R"({"class": "TTestForm", "name": "F", "children": [{"class": "TPanel", "name": "P", "children": [{"class": "TOrderProbe", "name": "Q"}]}]})",
         "bad.json: F.P.Q: the non-visual TOrderProbe must be a child of the form"},
        {R"({"class": "TForm", "name": "F", "children": [{"class": "TForm", "name": "G"}]})",
         "bad.json: F.G: a form cannot be a child"},
        {R"({"class": "TForm", "name": "F", "children": {"class": "TPanel"}})", "bad.json: F: \"children\" must be an array"},
    };
    for (const Case& c : cases) {
        gLiveProbes = 0;
        try {
            ReadFormDesign(c.design, "bad.json");
            ADD_FAILURE() << "accepted: " << c.design;
        } catch (const Exception& e) {
            EXPECT_EQ(std::string(e.what()).rfind(c.message, 0), 0u) << e.what();
            EXPECT_EQ(std::string(e.what()).find('\n'), std::string::npos) << e.what();
        }
        EXPECT_EQ(gLiveProbes, 0) << "components survived: " << c.design;
    }
}

TEST_F(FormDesign, ErrorAfterReferencesStillFreesEverything) {
    const char* design = R"({"class": "TTestForm", "name": "F", "children": [
        {"class": "TOrderProbe", "name": "A", "properties": {"Alpha": "x"}},
        {"class": "TOrderProbe", "name": "B", "properties": {"Target": "Missing"}}]})";
    gLiveProbes = 0;
    EXPECT_THROW(ReadFormDesign(design, "bad.json"), Exception);
    EXPECT_EQ(gLiveProbes, 0);
}

TEST_F(FormDesign, MissingFileIsAClearError) {
    try {
        LoadFormDesign("/nonexistent/design.json");
        FAIL();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "/nonexistent/design.json: cannot read the file: No such file or directory");
    }
}

}  // namespace
}  // namespace quill
