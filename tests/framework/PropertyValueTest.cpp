#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/Exception.h"
#include "framework/FormReader.h"
#include "framework/FormWriter.h"
#include "framework/PropertyValue.h"
#include "demo/HtmlPage.h"
#include "framework/StandardClasses.h"

namespace quill {
namespace {

const char* const kDesign = R"({"class": "TForm", "name": "Form1", "children": [
  {"class": "TLabel", "name": "Label1", "properties": {"Caption": "Hello", "Left": 8}},
  {"class": "TImageList", "name": "Images1"},
  {"class": "TToolBar", "name": "Bar1"}]})";

class PropertyValueTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterStandardClasses();
        form = ReadFormDesign(kDesign, "test.json");
    }

    TComponent& Find(const std::string& name) { return *form->FindComponent(name); }
    void Set(const std::string& component, const std::string& property, const nlohmann::json& value) {
        TComponent& target = Find(component);
        ReadPropertyValue(*form, target, *target.PublishedInfo()->FindProperty(property), value,
                          component + "." + property);
    }
    std::string Stored(const std::string& component, const std::string& property) {
        TComponent& target = Find(component);
        return WritePropertyValue(target, *target.PublishedInfo()->FindProperty(property)).dump();
    }

    std::unique_ptr<TForm> form;
};

TEST_F(PropertyValueTest, SetsEveryKindAsADesignWritesIt) {
    struct TCase {
        const char* Component;
        const char* Property;
        nlohmann::json Value;
    };
    const TCase cases[] = {
        {"Label1", "Caption", "Gr\xC3\xBC\xC3\x9F" "e"},
        {"Label1", "Left", 120},
        {"Label1", "Visible", false},
        {"Label1", "Align", "alTop"},
        {"Label1", "Color", "clRed"},
        {"Label1", "Font", {{"Name", "Arial"}, {"Style", {"fsBold", "fsItalic"}}, {"Color", "clNavy"}}},
        {"Bar1", "Images", "Images1"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Component) + "." + c.Property);
        Set(c.Component, c.Property, c.Value);
        nlohmann::json stored = nlohmann::json::parse(Stored(c.Component, c.Property));
        if (c.Value.is_object()) {
            for (const auto& [key, value] : c.Value.items()) EXPECT_EQ(stored.at(key), value);
        } else {
            EXPECT_EQ(stored, c.Value);
        }
    }
}

TEST_F(PropertyValueTest, RefusesWithTheReadersMessageAndChangesNothing) {
    struct TCase {
        const char* Property;
        nlohmann::json Value;
        const char* Message;
    };
    const TCase cases[] = {
        {"Caption", 5, "Label1.Caption: expected a string, got an integer"},
        {"Left", "wide", "Label1.Left: expected an integer, got a string"},
        {"Left", 4294967296LL, "Label1.Left: value 4294967296 out of range"},
        {"Align", "alTopp", "Label1.Align: unknown member \"alTopp\""},
        {"Color", "clRedd", "Label1.Color: unknown colour name \"clRedd\""},
        // A good value before a bad one in the same nested object.
        {"Font", {{"Name", "Courier"}, {"Size", "big"}}, "Label1.Font.Size: expected an integer, got a string"},
        {"Font", {{"Name", "Courier"}, {"Sise", 3}}, "Label1.Font.Sise: unknown property of TFont"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Property);
        const std::string before = WriteFormDesign(*form);
        try {
            Set("Label1", c.Property, c.Value);
            ADD_FAILURE() << "accepted " << c.Value.dump();
        } catch (const Exception& e) {
            EXPECT_EQ(std::string(e.what()).rfind(c.Message, 0), 0u) << e.what();
        }
        EXPECT_EQ(WriteFormDesign(*form), before);
    }
}

TEST_F(PropertyValueTest, ReferencesResolveInTheFormAndNullClearsThem) {
    Set("Bar1", "Images", "Images1");
    EXPECT_THROW(Set("Bar1", "Images", "Label1"), Exception);
    EXPECT_EQ(Stored("Bar1", "Images"), "\"Images1\"");
    EXPECT_THROW(Set("Bar1", "Images", "Nobody"), Exception);
    Set("Bar1", "Images", nullptr);
    const TPropInfo& images = *Find("Bar1").PublishedInfo()->FindProperty("Images");
    EXPECT_EQ(images.GetReference(Find("Bar1")), nullptr);
}

// A designer must be able to take a handler off again, and put it back.
TEST(PropertyValueEventTest, NullUnbindsAnEventAndANameBindsItAgain) {
    std::unique_ptr<THtmlPageForm> page = THtmlPageForm::Create();
    TComponent& edit = *page->FindComponent("Edit1");
    const TPropInfo& onChange = *edit.PublishedInfo()->FindProperty("OnChange");
    ReadPropertyValue(*page, edit, onChange, nullptr, "Edit1.OnChange");
    EXPECT_EQ(onChange.GetHandlerName(edit), "");
    EXPECT_FALSE(onChange.IsStored(edit));
    ReadPropertyValue(*page, edit, onChange, "Edit1Change", "Edit1.OnChange");
    EXPECT_EQ(onChange.GetHandlerName(edit), "Edit1Change");
    EXPECT_THROW(ReadPropertyValue(*page, edit, onChange, "Edit1Changed", "Edit1.OnChange"), Exception);
    EXPECT_EQ(onChange.GetHandlerName(edit), "Edit1Change");
}

}  // namespace
}  // namespace quill
