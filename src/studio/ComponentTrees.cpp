#include "studio/ComponentTrees.h"

#include <algorithm>
#include <memory>
#include <unordered_set>

#include "framework/DesignLimits.h"
#include "framework/Exception.h"
#include "framework/FormWriter.h"
#include "framework/PropertyValue.h"
#include "framework/TextHelpers.h"
#include "framework/TypeInfo.h"

namespace quill::studio {

using json = nlohmann::ordered_json;

namespace {

// Each component's place among those the form owns, found once: a
// container's designed children are listed in that order, as in a design.
class TFormOrder {
public:
    explicit TFormOrder(const TForm& form) : FForm(form) {
        for (int i = 0; i < form.ComponentCount(); ++i) FIndex.emplace(form.Components(i), i);
    }

    std::vector<TComponent*> DesignedChildren(const TWinControl& container) const {
        std::vector<TComponent*> children;
        for (int i = 0; i < container.ControlCount(); ++i)
            if (TControl* child = container.Controls(i); child->Owner() == &FForm) children.push_back(child);
        std::stable_sort(children.begin(), children.end(),
                         [&](TComponent* a, TComponent* b) { return FIndex.at(a) < FIndex.at(b); });
        return children;
    }

private:
    const TForm& FForm;
    std::unordered_map<const TComponent*, int> FIndex;
};

const TWinControl* DesignedContainer(const TComponent& component) {
    const TControl* control = component.AsControl();
    if (!control || !component.PublishedInfo()->AcceptsChildren) return nullptr;
    return control->AsWinControl();
}

json StoredProperties(const TPersistent& object) {
    json props = json::object();
    const TClassInfo* info = object.PublishedInfo();
    if (!info) return props;
    for (const TPropInfo* prop : info->PublishedProperties()) {
        if (!prop->IsStored(object)) continue;
        json value = prop->Kind == TPropKind::Object
                         ? StoredProperties(*prop->NestedObject(const_cast<TPersistent&>(object)))
                         : WritePropertyValue(object, *prop);
        if (prop->Kind == TPropKind::Object && value.empty()) continue;
        props[prop->Name] = std::move(value);
    }
    return props;
}

bool IsComponentName(const std::string& name) {
    if (name.empty() || (name[0] >= '0' && name[0] <= '9')) return false;
    for (char c : name)
        if (!(c == '_' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
    return true;
}

std::string TextOf(const json& object, const char* key) {
    auto it = object.find(key);
    return it != object.end() && it->is_string() ? it->get<std::string>() : std::string();
}

// Makes the components of the trees and sets their values; references
// wait until every component exists.
class TTreeMaker {
public:
    TTreeMaker(TForm& form, const std::unordered_map<std::string, std::string>& renames)
        : FForm(form), FRenames(renames) {
        FNames.insert(LowerCase(form.Name()));
        for (int i = 0; i < form.ComponentCount(); ++i) FNames.insert(LowerCase(form.Components(i)->Name()));
    }

    ~TTreeMaker() {
        // Refused: nothing made survives. Children were made after their
        // parents, so going backwards destroys them first.
        if (!FDone) DestroyComponents(FCreated);
    }

    std::vector<TComponent*> Make(TWinControl& parent, const std::vector<json>& trees) {
        for (const json& tree : trees) FTops.push_back(&MakeTree(parent, tree));
        for (const TReference& ref : FReferences) SetReference(ref);
        for (TWinControl* c : FContainers) c->EnableAlign();
        for (TComponent* c : FCreated) c->AfterLoad();
        FDone = true;
        return FTops;
    }

private:
    struct TReference {
        TPersistent* Target;
        const TPropInfo* Prop;
        std::string Name;
        std::string Place;
    };
    struct TOpen {
        TComponent* Component;
        const json* Tree;
    };

    TComponent& MakeTree(TWinControl& parent, const json& tree) {
        TComponent& top = MakeOne(parent, tree);
        std::vector<TOpen> open{{&top, &tree}};
        while (!open.empty()) {
            TOpen next = open.back();
            open.pop_back();
            auto children = next.Tree->find("children");
            if (children == next.Tree->end()) continue;
            const TWinControl* container = DesignedContainer(*next.Component);
            if (!container || !children->is_array())
                throw Exception(next.Component->Name() + ": a " + next.Component->ClassName() +
                                " does not accept designed children");
            auto* into = const_cast<TWinControl*>(container);
            for (const json& child : *children) open.push_back({&MakeOne(*into, child), &child});
        }
        return top;
    }

    TComponent& MakeOne(TWinControl& parent, const json& tree) {
        if (!tree.is_object()) throw Exception("a component must be a JSON object");
        const std::string className = TextOf(tree, "class");
        const std::string name = TextOf(tree, "name");
        const TClassInfo* info = FindDesignClass(className);
        if (!info || !info->Create) throw Exception(name + ": unknown class \"" + className + "\"");
        if (info->InheritsFrom(TForm::StaticInfo())) throw Exception(name + ": a form cannot be a child");
        if (!IsComponentName(name)) throw Exception("invalid name \"" + name + "\"");
        if (!FNames.insert(LowerCase(name)).second)
            throw Exception(name + ": duplicate name \"" + name + "\"");
        if (static_cast<size_t>(FForm.ComponentCount()) >= TDesignLimits::kMaxComponents)
            throw Exception(name + ": more than " + std::to_string(TDesignLimits::kMaxComponents) + " components");
        TComponent* made = info->Create(&FForm);
        FCreated.push_back(made);
        made->SetName(name);
        made->SetLoading(true);
        if (TControl* control = made->AsControl()) {
            if (TWinControl* container = control->AsWinControl()) {
                container->DisableAlign();
                FContainers.push_back(container);
            }
            control->SetParent(&parent);
        }
        auto props = tree.find("properties");
        if (props != tree.end()) {
            if (!props->is_object()) throw Exception(name + ": \"properties\" must be an object");
            ReadValues(*made, *props, name);
        }
        return *made;
    }

    void ReadValues(TPersistent& target, const json& props, const std::string& place) {
        const TClassInfo* info = target.PublishedInfo();
        for (const TPropInfo* prop : info->PublishedProperties()) {
            auto value = props.find(prop->Name);
            if (value == props.end()) continue;
            std::string where = place + "." + prop->Name;
            if (prop->Kind == TPropKind::Reference && value->is_string())
                FReferences.push_back({&target, prop, value->get<std::string>(), where});
            else if (prop->Kind == TPropKind::Object && value->is_object())
                ReadValues(*prop->NestedObject(target), *value, where);
            else
                ReadPropertyValue(FForm, target, *prop, nlohmann::json(*value), where);
        }
        for (const auto& [key, value] : props.items())
            if (!info->FindProperty(key)) throw Exception(place + "." + key + ": unknown property of " + info->Name);
    }

    void SetReference(const TReference& ref) {
        auto renamed = FRenames.find(ref.Name);
        const std::string& name = renamed == FRenames.end() ? ref.Name : renamed->second;
        if (!FNames.count(LowerCase(name))) return;
        ReadPropertyValue(FForm, *ref.Target, *ref.Prop, name, ref.Place);
    }

    TForm& FForm;
    const std::unordered_map<std::string, std::string>& FRenames;
    std::vector<TComponent*> FTops;
    std::vector<TComponent*> FCreated;
    std::vector<TWinControl*> FContainers;
    std::vector<TReference> FReferences;
    std::unordered_set<std::string> FNames;  // lower case, the form's and the new ones
    bool FDone = false;
};

}  // namespace

std::vector<TComponent*> DesignedSubtree(const TForm& form, TComponent& component) {
    std::vector<TComponent*> subtree{&component};
    if (!DesignedContainer(component)) return subtree;
    const TFormOrder order(form);
    for (size_t i = 0; i < subtree.size(); ++i)
        if (const TWinControl* container = DesignedContainer(*subtree[i]))
            for (TComponent* child : order.DesignedChildren(*container)) subtree.push_back(child);
    return subtree;
}

namespace {

json WriteTree(const TFormOrder& order, const TComponent& component) {
    json object = json::object();
    object["class"] = component.PublishedInfo()->Name;
    object["name"] = component.Name();
    json props = StoredProperties(component);
    if (!props.empty()) object["properties"] = std::move(props);
    if (const TWinControl* container = DesignedContainer(component)) {
        std::vector<TComponent*> children = order.DesignedChildren(*container);
        if (!children.empty()) {
            json list = json::array();
            for (TComponent* child : children) list.push_back(WriteTree(order, *child));
            object["children"] = std::move(list);
        }
    }
    return object;
}

}  // namespace

json WriteComponentTree(const TForm& form, const TComponent& component) {
    return WriteTree(TFormOrder(form), component);
}

std::vector<TComponent*> CreateComponentTrees(TForm& form, TWinControl& parent, const std::vector<json>& trees,
                                              const std::unordered_map<std::string, std::string>& renames) {
    return TTreeMaker(form, renames).Make(parent, trees);
}

void DestroyComponents(const std::vector<TComponent*>& components) {
    for (auto it = components.rbegin(); it != components.rend(); ++it) delete *it;
}

}  // namespace quill::studio
