#include "studio/ComponentValues.h"

#include "framework/FormWriter.h"
#include "framework/PropertyValue.h"
#include "framework/TypeInfo.h"

namespace quill::studio {

using json = nlohmann::ordered_json;

json AllValues(const TPersistent& object) {
    json values = json::object();
    const TClassInfo* info = object.PublishedInfo();
    if (!info) return values;
    for (const TPropInfo* prop : info->PublishedProperties()) {
        switch (prop->Kind) {
        case TPropKind::Object:
            values[prop->Name] = AllValues(*prop->NestedObject(const_cast<TPersistent&>(object)));
            break;
        case TPropKind::Reference: {
            const TComponent* target = prop->GetReference(object);
            values[prop->Name] = target ? json(target->Name()) : json(nullptr);
            break;
        }
        default:
            values[prop->Name] = WritePropertyValue(object, *prop);
        }
    }
    return values;
}

json ChangedValues(const json& from, const json& to) {
    json changed = json::object();
    for (const auto& [name, value] : to.items()) {
        auto before = from.find(name);
        if (before != from.end() && *before == value) continue;
        if (value.is_object() && before != from.end() && before->is_object())
            changed[name] = ChangedValues(*before, value);
        else
            changed[name] = value;
    }
    return changed;
}

void ApplyValues(TForm& form, TPersistent& object, const json& values, const std::string& place) {
    const TClassInfo* info = object.PublishedInfo();
    if (!info || values.empty()) return;
    for (const TPropInfo* prop : info->PublishedProperties()) {
        auto value = values.find(prop->Name);
        if (value == values.end()) continue;
        if (prop->Kind == TPropKind::Event && value->is_string() && value->get<std::string>().empty()) continue;
        ReadPropertyValue(form, object, *prop, nlohmann::json(*value), place + "." + prop->Name);
    }
}

}  // namespace quill::studio
