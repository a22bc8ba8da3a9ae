#include "support/TestEditor.h"

#include <QTest>

#include "TestSupport.h"
#include "aspserver/PageOne.h"
#include "controls/QuillClasses.h"
#include "demo/HtmlPage.h"
#include "framework/FormReader.h"
#include "framework/PropertyValue.h"

namespace quill::studio::test {

namespace {

// Where `object` sits, as the reader names places: "Label1" for a
// component, "Label1.Font" for a nested object of one.
bool FindPlace(TPersistent& within, const TPersistent& object, std::string& place) {
    if (&within == &object) return true;
    const TClassInfo* info = within.PublishedInfo();
    if (!info) return false;
    for (const TPropInfo* prop : info->PublishedProperties()) {
        if (prop->Kind != TPropKind::Object) continue;
        std::string inner;
        if (TPersistent* nested = prop->NestedObject(within); FindPlace(*nested, object, inner)) {
            place = prop->Name + (inner.empty() ? "" : "." + inner);
            return true;
        }
    }
    return false;
}

std::string PlaceOf(TForm& form, const TPersistent& object) {
    std::string inner;
    if (FindPlace(form, object, inner)) return form.Name() + (inner.empty() ? "" : "." + inner);
    for (int i = 0; i < form.ComponentCount(); ++i)
        if (FindPlace(*form.Components(i), object, inner))
            return form.Components(i)->Name() + (inner.empty() ? "" : "." + inner);
    return "?";
}

}  // namespace

TTestEditor::TTestEditor(const std::string& design, std::string fileName)
    : FForm(ReadFormDesign(design, "test")), FFileName(std::move(fileName)) {}

TTestEditor::~TTestEditor() = default;

void TTestEditor::SetProperty(TPersistent& object, const TPropInfo& prop, const nlohmann::json& value) {
    ReadPropertyValue(*FForm, object, prop, value, PlaceOf(*FForm, object) + "." + prop.Name);
    ++FChanges;
    emit Changed();
}

void TTestEditor::Select(const std::vector<TComponent*>& components) {
    if (components == FSelection) return;
    FSelection = components;
    emit SelectionChanged();
}

TComponent& TTestEditor::Component(const std::string& name) const {
    if (name == FForm->Name()) return *FForm;
    TComponent* component = FForm->FindComponent(name);
    if (!component) qFatal("no component %s", name.c_str());
    return *component;
}

void TTestEditor::Replace(const std::string& design) {
    FSelection.clear();
    FForm.reset();
    FForm = ReadFormDesign(design, "test");
    emit FormReplaced();
    emit SelectionChanged();
}

void RegisterClasses() {
    RegisterQuillClasses();
    RegisterPageOneForm();
    RegisterHtmlPageForm();
}

std::string ReadSource(const std::string& relativePath) {
    return quill::test::ReadFile(std::string(QUILL_SOURCE_DIR) + "/" + relativePath);
}

}  // namespace quill::studio::test
