#include "quill/Page.h"

#include <ostream>

#include "api/ComponentIndex.h"
#include "api/PropertyText.h"
#include "api/Registration.h"
#include "framework/Exception.h"
#include "framework/FormReader.h"
#include "framework/NameSuggestion.h"
#include "framework/PropertyValue.h"
#include "framework/TextHelpers.h"
#include "page/QuillGenerator.h"

namespace quill {

namespace {

// Below this many components a walk is cheaper than an index.
constexpr int kIndexFrom = 32;

[[noreturn]] void Fail(const std::string& place, const std::string& problem) { throw Exception(place + ": " + problem); }

std::vector<std::string> ComponentNames(const TForm& form) {
    std::vector<std::string> names = {form.Name()};
    for (int i = 0; i < form.ComponentCount(); ++i)
        if (!form.Components(i)->Name().empty()) names.push_back(form.Components(i)->Name());
    return names;
}

std::vector<std::string> PropertyNames(const TClassInfo& info) {
    std::vector<std::string> names;
    for (const TPropInfo* prop : info.PublishedProperties()) names.push_back(prop->Name);
    return names;
}

const TPropInfo& PropertyOf(const TPersistent& target, std::string_view name, const std::string& place) {
    const TClassInfo* info = target.PublishedInfo();
    const TPropInfo* prop = info ? info->FindProperty(name) : nullptr;
    if (!prop)
        Fail(place, "unknown property of " + (info ? info->Name : target.ClassName()) +
                        (info ? DidYouMean(std::string(name), PropertyNames(*info)) : ""));
    return *prop;
}

// A nested object is set one value at a time; show the way with its first.
[[noreturn]] void NestedRefused(TPersistent& target, const TPropInfo& prop, const std::string& place) {
    const TClassInfo* nested = prop.NestedObject(target)->PublishedInfo();
    std::string example = nested && !nested->PublishedProperties().empty()
                              ? place + "." + nested->PublishedProperties().front()->Name
                              : place + ".PROPERTY";
    Fail(place, "a " + prop.TypeName + " takes its values one by one, as " + example);
}

}  // namespace

Page::Page(std::unique_ptr<TForm> form, const std::string& designName) : FForm(std::move(form)) {
    FGenerator = FirstHtmlGenerator(*FForm);
    if (!FGenerator) throw Exception(designName + ": " + FForm->Name() + ": the form has no TQuillHtmlGenerator");
}

Page::Page(Page&&) noexcept = default;
Page& Page::operator=(Page&&) noexcept = default;
Page::~Page() = default;

Page Page::FromString(const std::string& text, const std::string& name) {
    RegisterClassesOnce();
    return Page(ReadFormDesign(text, name), name);
}

TComponent* Page::FindComponent(std::string_view name) {
    if (SameText(name, FForm->Name())) return FForm.get();
    if (FForm->ComponentCount() < kIndexFrom) return FForm->FindComponent(name);
    if (!FNames) FNames = std::make_unique<TComponentIndex>();
    return FNames->Find(*FForm, name);
}

void Page::Set(std::string_view path, std::string_view value) {
    const std::string place(path);
    const size_t dot = path.find('.');
    if (dot == std::string_view::npos || dot == 0 || path.back() == '.' || path.find("..") != std::string_view::npos)
        Fail(place, "expected COMPONENT.PROPERTY, such as QuillLabel1.Caption");
    const std::string_view name = path.substr(0, dot);
    TPersistent* target = FindComponent(name);
    if (!target)
        Fail(place, "no component named \"" + std::string(name) + "\"" + DidYouMean(std::string(name), ComponentNames(*FForm)));
    // Each further part but the last names a nested property object.
    size_t start = dot + 1;
    for (;;) {
        const size_t end = path.find('.', start);
        const std::string walked(path.substr(0, end));
        const TPropInfo& prop = PropertyOf(*target, path.substr(start, end - start), walked);
        if (end == std::string_view::npos) {
            if (prop.Kind == TPropKind::Object) NestedRefused(*target, prop, place);
            ReadPropertyValue(*FForm, *target, prop, PropertyTextValue(prop, value, place), place);
            return;
        }
        if (prop.Kind != TPropKind::Object) Fail(walked, "a " + prop.TypeName + " has no properties of its own");
        target = prop.NestedObject(*target);
        start = end + 1;
    }
}

std::string Page::Render() { return FGenerator->Generate()->Text(); }

void Page::Render(std::ostream& out) {
    // Line by line, so a big page never needs a joined copy.
    const TStrings& lines = *FGenerator->Generate();
    for (int i = 0; i < lines.Count(); ++i) out << lines.View(i) << "\r\n";
    out.flush();
}

}  // namespace quill
