#include "framework/DesignSchema.h"

#include <cstdint>
#include <limits>
#include <nlohmann/json.hpp>

#include "framework/Color.h"
#include "framework/DesignCatalog.h"
#include "framework/FormWriter.h"

namespace quill {

namespace {

using json = nlohmann::ordered_json;

json Ref(const std::string& name) { return {{"$ref", "#/$defs/" + name}}; }

json Describe(json schema, const std::string& description) {
    schema["description"] = description;
    return schema;
}

json PropertySchema(const TPropInfo& prop, const TPersistent& sample) {
    json schema;
    switch (prop.Kind) {
    case TPropKind::Integer:
        schema = Ref("Integer");
        break;
    case TPropKind::Boolean:
        schema = {{"type", "boolean"}};
        break;
    case TPropKind::String:
        schema = {{"type", "string"}};
        break;
    case TPropKind::Enum:
        schema = Ref(prop.Enum->Name);
        break;
    case TPropKind::Set:
        schema = {{"type", "array"}, {"items", Ref(prop.Enum->Name)}};
        break;
    case TPropKind::Color:
        schema = Ref("TColor");
        break;
    case TPropKind::Object:
        return Ref(prop.TypeName);
    case TPropKind::Reference:
        return Describe({{"type", "string"}}, "name of a " + prop.TypeName + " of this form");
    case TPropKind::Event:
        return Describe({{"type", "string"}}, "name of a published " + prop.TypeName + " handler of the form's class");
    }
    schema["description"] = prop.TypeName;
    // Editors offer the value a new object has.
    if (prop.Default) schema["default"] = WritePropertyValue(sample, prop);
    return schema;
}

json PropertiesSchema(const TCatalogClass& c) {
    json properties = json::object();
    for (const TPropInfo* prop : c.Info->PublishedProperties())
        properties[prop->Name] = PropertySchema(*prop, *c.Sample);
    return {{"type", "object"}, {"properties", properties}, {"additionalProperties", false}};
}

json ChildList(const TDesignCatalog& catalog, bool nonVisualToo) {
    json choices = json::array();
    for (const TCatalogClass& c : catalog.Classes())
        if (c.Component && !IsFormClass(*c.Info) && (nonVisualToo || c.Info->IsControl))
            choices.push_back(Ref(c.Info->Name));
    return {{"type", "array"}, {"items", {{"oneOf", choices}}}};
}

json ObjectSchema(const TCatalogClass& c) {
    const bool form = IsFormClass(*c.Info);
    json properties = json::object();
    if (form) properties["$schema"] = Describe({{"type", "string"}}, "the schema of the design, for editors");
    properties["class"] = {{"const", c.Info->Name}};
    properties["name"] = Ref("Name");
    properties["properties"] = Ref(c.Info->Name + ".properties");
    if (!c.Info->AcceptsChildren)
        properties["children"] = Describe({{"type", "array"}, {"maxItems", 0}}, "a " + c.Info->Name + " holds no children");
    else
        properties["children"] = Ref(form ? "FormChildren" : "ControlChildren");
    return {{"type", "object"},
            {"properties", properties},
            {"required", {"class", "name"}},
            {"additionalProperties", false}};
}

json Definitions(const TDesignCatalog& catalog) {
    json defs = json::object();
    defs["Name"] = Describe({{"type", "string"}, {"pattern", "^[A-Za-z_][A-Za-z0-9_]*$"}},
                            "letters, digits and _, not first a digit; unique in the form, letter case ignored");
    defs["Integer"] = {{"type", "integer"},
                       {"minimum", std::numeric_limits<int32_t>::min()},
                       {"maximum", std::numeric_limits<int32_t>::max()}};
    defs["TColor"] = Describe(
        {{"anyOf",
          {{{"type", "integer"}, {"minimum", std::numeric_limits<int32_t>::min()}, {"maximum", std::numeric_limits<uint32_t>::max()}},
           {{"enum", ColorNames()}},
           {{"type", "string"}, {"pattern", "^#[0-9A-Fa-f]{6}$"}}}}},
        "a colour name, \"#RRGGBB\" (red, green, blue, as in HTML), or an integer with red in the low byte, then green, "
        "then blue (0xBBGGRR); negative values are system colours");
    for (const TEnumInfo* type : catalog.Enums()) defs[type->Name] = {{"enum", type->Members}};
    defs["FormChildren"] = ChildList(catalog, true);
    defs["ControlChildren"] = ChildList(catalog, false);
    for (const TCatalogClass& c : catalog.Classes()) {
        if (c.Component) {
            defs[c.Info->Name] = ObjectSchema(c);
            defs[c.Info->Name + ".properties"] = PropertiesSchema(c);
        } else {
            defs[c.Info->Name] = PropertiesSchema(c);
        }
    }
    return defs;
}

}  // namespace

std::string DesignSchema(const TDesignCatalog& catalog) {
    json roots = json::array();
    for (const TCatalogClass& c : catalog.Classes())
        if (c.Component && IsFormClass(*c.Info)) roots.push_back(Ref(c.Info->Name));
    json schema = {{"$schema", "https://json-schema.org/draft/2020-12/schema"},
                   {"title", "Quill form design"},
                   {"description", "A stored form design; see docs/form-design.md"},
                   {"oneOf", roots},
                   {"$defs", Definitions(catalog)}};
    return schema.dump(2) + "\n";
}

}  // namespace quill
