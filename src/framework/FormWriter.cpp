#include "framework/FormWriter.h"

#include <nlohmann/json.hpp>

#include "framework/Exception.h"
#include "framework/TypeInfo.h"
#include "platform/AtomicFile.h"

namespace quill {

namespace {

using json = nlohmann::ordered_json;

json WriteProperties(const TPersistent& object);

json WriteValue(const TPersistent& object, const TPropInfo& prop) {
    switch (prop.Kind) {
    case TPropKind::Integer:
        return prop.GetOrd(object);
    case TPropKind::Boolean:
        return prop.GetOrd(object) != 0;
    case TPropKind::String:
        return prop.GetString(object);
    case TPropKind::Enum:
        return prop.Enum->Members.at(prop.GetOrd(object));
    case TPropKind::Set: {
        json members = json::array();
        int64_t bits = prop.GetOrd(object);
        for (size_t i = 0; i < prop.Enum->Members.size(); ++i)
            if (bits & (int64_t{1} << i)) members.push_back(prop.Enum->Members[i]);
        return members;
    }
    case TPropKind::Color: {
        TColor color = static_cast<TColor>(prop.GetOrd(object));
        if (std::optional<std::string> name = ColorToName(color)) return *name;
        return color;
    }
    case TPropKind::Object:
        // Nested objects are filled in place; writing does not change them.
        return WriteProperties(*prop.NestedObject(const_cast<TPersistent&>(object)));
    case TPropKind::Reference:
        return prop.GetReference(object)->Name();
    case TPropKind::Event:
        return prop.GetHandlerName(object);
    }
    return nullptr;
}

json WriteProperties(const TPersistent& object) {
    json props = json::object();
    const TClassInfo* info = object.PublishedInfo();
    if (!info) return props;
    for (const TPropInfo* prop : info->PublishedProperties()) {
        if (!prop->IsStored(object)) continue;
        json value = WriteValue(object, *prop);
        if (prop->Kind == TPropKind::Object && value.empty()) continue;
        props[prop->Name] = std::move(value);
    }
    return props;
}

bool IsChildOf(const TComponent& component, const TComponent& parent, const TForm& form) {
    auto* control = dynamic_cast<const TControl*>(&component);
    if (!control) return &parent == &form;
    // Controls that sit nowhere are written under the form.
    const TComponent* where = control->Parent() ? control->Parent() : &form;
    return where == &parent;
}

json WriteObject(const TComponent& component, const TForm& form) {
    json object = json::object();
    object["class"] = component.PublishedInfo()->Name;
    object["name"] = component.Name();
    json props = WriteProperties(component);
    if (!props.empty()) object["properties"] = std::move(props);
    if (!component.PublishedInfo()->AcceptsChildren) return object;
    json children = json::array();
    for (int i = 0; i < form.ComponentCount(); ++i) {
        const TComponent* c = form.Components(i);
        if (IsChildOf(*c, component, form)) children.push_back(WriteObject(*c, form));
    }
    if (!children.empty()) object["children"] = std::move(children);
    return object;
}

}  // namespace

std::string WriteFormDesign(const TForm& form) { return WriteObject(form, form).dump(2) + "\n"; }

void SaveFormDesign(const TForm& form, const std::string& fileName) {
    platform::WriteFileAtomically(fileName, WriteFormDesign(form));
}

}  // namespace quill
