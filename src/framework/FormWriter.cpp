#include "framework/FormWriter.h"

#include <nlohmann/json.hpp>
#include <unordered_map>
#include <vector>

#include "framework/DesignLimits.h"
#include "framework/Exception.h"
#include "framework/TypeInfo.h"
#include "platform/AtomicFile.h"

namespace quill {

namespace {

using json = nlohmann::ordered_json;

json WriteProperties(const TPersistent& object);

}  // namespace

json WritePropertyValue(const TPersistent& object, const TPropInfo& prop) {
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
        if (std::optional<std::string> text = ColorToText(color)) return *text;
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

namespace {

json WriteProperties(const TPersistent& object) {
    json props = json::object();
    const TClassInfo* info = object.PublishedInfo();
    if (!info) return props;
    for (const TPropInfo* prop : info->PublishedProperties()) {
        if (!prop->IsStored(object)) continue;
        json value = WritePropertyValue(object, *prop);
        if (prop->Kind == TPropKind::Object && value.empty()) continue;
        props[prop->Name] = std::move(value);
    }
    return props;
}

json ObjectOf(const TComponent& component) {
    json object = json::object();
    object["class"] = component.PublishedInfo()->Name;
    object["name"] = component.Name();
    json props = WriteProperties(component);
    if (!props.empty()) object["properties"] = std::move(props);
    return object;
}

// Where a component is written: a control under its parent, one that sits
// nowhere and every non-visual component under the form.
const TComponent* PlaceOf(const TComponent& component, const TForm& form) {
    auto* control = dynamic_cast<const TControl*>(&component);
    return control && control->Parent() ? static_cast<const TComponent*>(control->Parent()) : &form;
}

}  // namespace

std::string WriteFormDesign(const TForm& form, const std::string& schema) {
    // Each container's children in the form's order, found in one pass.
    std::unordered_map<const TComponent*, std::vector<const TComponent*>> children;
    for (int i = 0; i < form.ComponentCount(); ++i)
        children[PlaceOf(*form.Components(i), form)].push_back(form.Components(i));
    // Depth first with a stack of its own; a tree deeper than the reader
    // takes would give a design that cannot be read back.
    struct TOpen {
        const TComponent* Component;
        json* Object;
        size_t Level;
    };
    json root = ObjectOf(form);
    std::vector<TOpen> open{{&form, &root, 0}};
    while (!open.empty()) {
        TOpen top = open.back();
        open.pop_back();
        auto it = children.find(top.Component);
        if (!top.Component->PublishedInfo()->AcceptsChildren || it == children.end()) continue;
        if (top.Level == TDesignLimits::kMaxNesting)
            throw Exception(form.Name() + ": " + it->second.front()->Name() + ": controls nested more than " +
                            std::to_string(TDesignLimits::kMaxNesting) + " levels deep cannot be stored");
        json& list = (*top.Object)["children"] = json::array();
        for (const TComponent* child : it->second) list.push_back(ObjectOf(*child));
        for (size_t i = list.size(); i-- > 0;) open.push_back({it->second[i], &list[i], top.Level + 1});
    }
    if (schema.empty()) return root.dump(2) + "\n";
    json design = json::object();
    design["$schema"] = schema;
    design.update(root);
    return design.dump(2) + "\n";
}

void SaveFormDesign(const TForm& form, const std::string& fileName) {
    platform::WriteFileAtomically(fileName, WriteFormDesign(form));
}

}  // namespace quill
