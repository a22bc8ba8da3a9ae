#include "framework/FormReader.h"

#include <algorithm>
#include <limits>
#include <nlohmann/json.hpp>
#include <unordered_map>
#include <vector>

#include "framework/DesignJson.h"
#include "framework/DesignLimits.h"
#include "framework/Exception.h"
#include "framework/NameSuggestion.h"
#include "framework/TextHelpers.h"
#include "framework/TypeInfo.h"
#include "platform/AtomicFile.h"

namespace quill {

namespace {

using json = nlohmann::json;

const char* JsonTypeName(const json& value) {
    return value.is_number_integer() ? "an integer" : value.is_number() ? "a number" : value.is_string() ? "a string"
           : value.is_boolean()      ? "a boolean"
           : value.is_array()        ? "an array"
           : value.is_object()       ? "an object"
                                     : "null";
}

bool IsIdentifier(const std::string& name) {
    if (name.empty() || (name[0] >= '0' && name[0] <= '9')) return false;
    for (char c : name)
        if (!(c == '_' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
    return true;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

class TFormReader {
public:
    explicit TFormReader(std::string fileName) : FFileName(std::move(fileName)) {}

    std::unique_ptr<TForm> Read(const std::string& text) { return Create(ParseDesignJson(text, FFileName)); }

    // Only reads `root`, so several readers may share one parsed design.
    std::unique_ptr<TForm> Create(const json& root) {
        std::unique_ptr<TForm> form = CreateRoot(root);
        FForm = form.get();
        ReadTree(*form, root, form->Name());
        ResolveReferences();
        try {
            form->BindComponents();
        } catch (const Exception& e) {
            Fail(form->Name(), e.Message());
        }
        // Containers realign once, parents before children, now that every
        // child has its designed values (one realign per aligned child would
        // cost the square of the children); again after loading, if sizing
        // a control moved its aligned siblings.
        for (TWinControl* c : FContainers) {
            c->EnableAlign();
            c->DisableAlign();
        }
        for (TComponent* c : FCreated) c->AfterLoad();
        for (TWinControl* c : FContainers) c->EnableAlign();
        return form;
    }

private:
    struct TPendingReference {
        TPersistent* Target;
        const TPropInfo* Prop;
        std::string Name;
        std::string Path;
    };

    [[noreturn]] void Fail(const std::string& path, const std::string& problem) const {
        throw Exception(FFileName + ": " + path + ": " + problem);
    }

    const TClassInfo& ClassOf(const json& object, const std::string& path) const {
        auto it = object.find("class");
        if (it == object.end()) Fail(path, "missing \"class\"");
        if (!it->is_string()) Fail(path, "\"class\" must be a string");
        const TClassInfo* info = FindDesignClass(it->get<std::string>());
        if (!info || !info->Create)
            Fail(path, "unknown class " + Quoted(it->get<std::string>()) + DidYouMean(it->get<std::string>(), ClassNames()));
        return *info;
    }

    std::string NameOf(const json& object, const std::string& path) const {
        auto it = object.find("name");
        if (it == object.end()) Fail(path, "missing \"name\"");
        if (!it->is_string()) Fail(path, "\"name\" must be a string");
        std::string name = it->get<std::string>();
        if (!IsIdentifier(name)) Fail(path, "invalid name " + Quoted(name) + " (letters, digits and _, not first a digit)");
        return name;
    }

    static std::vector<std::string> ClassNames() {
        std::vector<std::string> names;
        for (const TClassInfo* info : DesignClasses())
            if (info->Create) names.push_back(info->Name);
        return names;
    }

    // The root may also name its schema, for editors; the reader ignores it.
    void CheckKeys(const json& object, const std::string& path, bool root = false) const {
        if (!object.is_object()) Fail(path, std::string("an object must be a JSON object, not ") + JsonTypeName(object));
        static const std::vector<std::string> keys = {"class", "name", "properties", "children"};
        for (const auto& [key, value] : object.items()) {
            if (root && key == "$schema") continue;
            if (std::find(keys.begin(), keys.end(), key) == keys.end())
                Fail(path, "unknown key " + Quoted(key) + DidYouMean(key, keys));
        }
    }

    std::unique_ptr<TForm> CreateRoot(const json& root) {
        CheckKeys(root, "(root)", true);
        const TClassInfo& info = ClassOf(root, "(root)");
        std::string name = NameOf(root, "(root)");
        std::unique_ptr<TComponent> created(info.Create(nullptr));
        auto* form = dynamic_cast<TForm*>(created.get());
        if (!form) Fail(name, "the root must be a form, not a " + Quoted(info.Name));
        created.release();
        std::unique_ptr<TForm> result(form);
        result->SetName(name);
        result->SetLoading(true);
        result->DisableAlign();
        FContainers.push_back(form);
        FCreated.push_back(form);
        return result;
    }

    // One object whose designed children are being read.
    struct TOpenObject {
        TComponent* Component;
        const json* Children;
        size_t Next;
        std::string Path;
        size_t Level;
    };

    // Reads the root's properties and then every object below it, depth
    // first in document order. The open objects sit on an explicit stack:
    // a deep design costs heap, bounded by the nesting limit, not call depth.
    void ReadTree(TComponent& root, const json& object, const std::string& path) {
        std::vector<TOpenObject> open;
        ReadObjectBody(root, object, path, 0, open);
        while (!open.empty()) {
            TOpenObject& top = open.back();
            if (top.Next == top.Children->size()) {
                open.pop_back();
                continue;
            }
            size_t index = top.Next++;
            TComponent& parent = *top.Component;
            const json& child = (*top.Children)[index];
            size_t level = top.Level + 1;
            std::string parentPath = top.Path;
            TComponent& created = CreateChild(parent, child, parentPath, index, level);
            ReadObjectBody(created, child, parentPath + "." + created.Name(), level, open);
        }
    }

    void ReadObjectBody(TComponent& component, const json& object, const std::string& path, size_t level,
                        std::vector<TOpenObject>& open) {
        if (auto it = object.find("properties"); it != object.end()) {
            ReadProperties(component, *component.PublishedInfo(), *it, path);
            CheckEdges(component, path);
        }
        if (auto it = object.find("children"); it != object.end()) {
            if (!it->is_array()) Fail(path, "\"children\" must be an array");
            open.push_back({&component, &*it, 0, path, level});
        }
    }

    TComponent& CreateChild(TComponent& parent, const json& child, const std::string& parentPath, size_t index,
                            size_t level) {
        std::string indexPath = parentPath + ".children[" + std::to_string(index) + "]";
        CheckKeys(child, indexPath);
        const TClassInfo& info = ClassOf(child, indexPath);
        std::string name = NameOf(child, indexPath);
        std::string childPath = parentPath + "." + name;
        if (!parent.PublishedInfo()->AcceptsChildren)
            Fail(childPath, "a " + parent.PublishedInfo()->Name + " does not accept designed children");
        if (info.InheritsFrom(TForm::StaticInfo())) Fail(childPath, "a form cannot be a child");
        if (!info.IsControl && &parent != FForm)
            Fail(childPath, "the non-visual " + info.Name + " must be a child of the form");
        if (level > TDesignLimits::kMaxNesting)
            Fail(childPath, "components nested more than " + std::to_string(TDesignLimits::kMaxNesting) +
                                " levels deep");
        if (FCreated.size() >= TDesignLimits::kMaxComponents)
            Fail(childPath, "more than " + std::to_string(TDesignLimits::kMaxComponents) + " components");
        if (FindOwned(name) || SameText(name, FForm->Name())) Fail(childPath, "duplicate name " + Quoted(name));
        TComponent* created = info.Create(FForm);
        created->SetName(name);
        FOwnedByName.emplace(LowerCase(name), created);
        created->SetLoading(true);
        if (auto* container = dynamic_cast<TWinControl*>(created)) {
            container->DisableAlign();
            FContainers.push_back(container);
        }
        FCreated.push_back(created);
        if (auto* control = dynamic_cast<TControl*>(created)) control->SetParent(dynamic_cast<TWinControl*>(&parent));
        return *created;
    }

    // Right and bottom edges must stay 32-bit, as every later sum of them does.
    void CheckEdges(const TComponent& component, const std::string& path) const {
        auto* control = dynamic_cast<const TControl*>(&component);
        if (!control) return;
        auto check = [&](const char* sizeName, const char* edge, int64_t start, int64_t size) {
            int64_t end = start + size;
            if (end < std::numeric_limits<int32_t>::min() || end > std::numeric_limits<int32_t>::max())
                Fail(path + "." + sizeName, std::string("the ") + edge + " edge " + std::to_string(end) +
                                                " leaves the 32-bit range");
        };
        check("Width", "right", control->Left(), control->Width());
        check("Height", "bottom", control->Top(), control->Height());
    }

    void ReadProperties(TPersistent& target, const TClassInfo& info, const json& props, const std::string& path) {
        if (!props.is_object()) Fail(path, "\"properties\" must be an object");
        for (const auto& [key, value] : props.items())
            if (!info.FindProperty(key))
                Fail(path + "." + key, "unknown property of " + info.Name + DidYouMean(key, PropertyNames(info)));
        // Published order, whatever the order in the file.
        for (const TPropInfo* prop : info.PublishedProperties()) {
            auto it = props.find(prop->Name);
            if (it != props.end()) ReadValue(target, *prop, *it, path + "." + prop->Name);
        }
    }

    void ReadValue(TPersistent& target, const TPropInfo& prop, const json& value, const std::string& path) {
        auto expect = [&](bool ok, const std::string& what) {
            if (!ok) Fail(path, "expected " + what + ", got " + JsonTypeName(value));
        };
        switch (prop.Kind) {
        case TPropKind::Integer:
            expect(value.is_number_integer(), "an integer");
            prop.SetOrd(target, IntegerIn(value, path, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
            break;
        case TPropKind::Boolean:
            expect(value.is_boolean(), "true or false");
            prop.SetOrd(target, value.get<bool>() ? 1 : 0);
            break;
        case TPropKind::String:
            expect(value.is_string(), "a string");
            prop.SetString(target, value.get<std::string>());
            break;
        case TPropKind::Enum:
            expect(value.is_string(), "a member name of " + prop.TypeName);
            prop.SetOrd(target, MemberIndex(*prop.Enum, value.get<std::string>(), path));
            break;
        case TPropKind::Set: {
            expect(value.is_array(), "an array of " + prop.Enum->Name + " member names");
            int64_t bits = 0;
            for (const json& member : value) {
                if (!member.is_string()) Fail(path, "expected member names of " + prop.Enum->Name + ", got " + JsonTypeName(member));
                bits |= int64_t{1} << MemberIndex(*prop.Enum, member.get<std::string>(), path);
            }
            prop.SetOrd(target, bits);
            break;
        }
        case TPropKind::Color:
            prop.SetOrd(target, ColorValue(value, path));
            break;
        case TPropKind::Object: {
            expect(value.is_object(), "an object of " + prop.TypeName + " properties");
            TPersistent* nested = prop.NestedObject(target);
            ReadProperties(*nested, *nested->PublishedInfo(), value, path);
            break;
        }
        case TPropKind::Reference:
            expect(value.is_string(), "a component name");
            FReferences.push_back({&target, &prop, value.get<std::string>(), path});
            break;
        case TPropKind::Event:
            expect(value.is_string(), "a handler name");
            BindEvent(target, prop, value.get<std::string>(), path);
            break;
        }
    }

    int64_t IntegerIn(const json& value, const std::string& path, int64_t low, int64_t high) const {
        if (value.is_number_unsigned() && value.get<uint64_t>() > static_cast<uint64_t>(high))
            Fail(path, "value out of range");
        int64_t v = value.get<int64_t>();
        if (v < low || v > high) Fail(path, "value " + std::to_string(v) + " out of range");
        return v;
    }

    static std::vector<std::string> PropertyNames(const TClassInfo& info) {
        std::vector<std::string> names;
        for (const TPropInfo* prop : info.PublishedProperties()) names.push_back(prop->Name);
        return names;
    }

    int MemberIndex(const TEnumInfo& type, const std::string& member, const std::string& path) const {
        int index = type.IndexOf(member);
        if (index < 0)
            Fail(path, "unknown member " + Quoted(member) + " of " + type.Name + DidYouMean(member, type.Members) +
                           " (members: " + JoinNames(type.Members) + ")");
        return index;
    }

    int64_t ColorValue(const json& value, const std::string& path) const {
        if (value.is_string()) {
            std::optional<TColor> color = ColorFromName(value.get<std::string>());
            if (!color) Fail(path, UnknownColour(value.get<std::string>()));
            return *color;
        }
        if (!value.is_number_integer()) Fail(path, std::string("expected a colour (integer or name), got ") + JsonTypeName(value));
        // Negative values and their unsigned 32-bit spellings both name system colours.
        return static_cast<TColor>(static_cast<uint32_t>(IntegerIn(value, path, INT32_MIN, UINT32_MAX)));
    }

    // HTML's "#RRGGBB" is a common guess; show the integer that means it.
    static std::string UnknownColour(const std::string& name) {
        std::string problem = "unknown colour name " + Quoted(name);
        if (name.size() == 7 && name[0] == '#' && name.find_first_not_of("0123456789abcdefABCDEF", 1) == std::string::npos) {
            uint32_t rgb = static_cast<uint32_t>(std::stoul(name.substr(1), nullptr, 16));
            uint32_t bgr = ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | (rgb >> 16);
            return problem + "; a colour is a name or an integer with red in the low byte, so " + name + " is " +
                   std::to_string(bgr);
        }
        return problem + DidYouMean(name, ColorNames());
    }

    void BindEvent(TPersistent& target, const TPropInfo& prop, const std::string& handler, const std::string& path) {
        const TClassInfo& formClass = *FForm->PublishedInfo();
        const TMethodInfo* method = formClass.FindMethod(handler);
        if (!method) Fail(path, "no published handler " + Quoted(handler) + " in " + formClass.Name + HandlerHint(formClass, handler));
        if (method->EventType != *prop.EventType)
            Fail(path, "handler " + Quoted(handler) + " is a " + method->EventTypeName + ", not a " + prop.TypeName);
        prop.SetEvent(target, method->Bind(*FForm));
    }

    // The form's component of that name (letter case ignored), or null;
    // the first of a name wins, as in FindComponent.
    TComponent* FindOwned(const std::string& name) {
        if (FOwnedByName.empty())
            for (int i = 0; i < FForm->ComponentCount(); ++i)
                if (TComponent* c = FForm->Components(i); !c->Name().empty())
                    FOwnedByName.emplace(LowerCase(c->Name()), c);
        auto it = FOwnedByName.find(LowerCase(name));
        return it == FOwnedByName.end() ? nullptr : it->second;
    }

    static std::string HandlerHint(const TClassInfo& formClass, const std::string& handler) {
        std::vector<std::string> names;
        for (const TClassInfo* c = &formClass; c; c = c->Parent)
            for (const TMethodInfo& m : c->Methods) names.push_back(m.Name);
        if (names.empty()) return "; a " + formClass.Name + " has no handlers, only form classes built into a program do";
        return DidYouMean(handler, names);
    }

    void ResolveReferences() {
        for (const TPendingReference& ref : FReferences) {
            TComponent* found = SameText(ref.Name, FForm->Name()) ? FForm : FindOwned(ref.Name);
            if (!found) Fail(ref.Path, "no component named " + Quoted(ref.Name));
            if (!ref.Prop->SetReference(*ref.Target, found))
                Fail(ref.Path, Quoted(ref.Name) + " is a " + found->ClassName() + ", not a " + ref.Prop->TypeName);
        }
    }

    std::string FFileName;
    TForm* FForm = nullptr;
    std::vector<TComponent*> FCreated;
    // The form's components by lower-case name, so that finding one does
    // not walk them all: a design of many components stays linear.
    std::unordered_map<std::string, TComponent*> FOwnedByName;
    std::vector<TWinControl*> FContainers;  // in creation order, parents first
    std::vector<TPendingReference> FReferences;
};

}  // namespace

namespace {

// A value conversion the reader's checks did not foresee still ends in
// the reader's one-line error.
template <class F>
auto WithOneLineErrors(const std::string& fileName, F read) {
    try {
        return read();
    } catch (const json::exception& e) {
        throw Exception(fileName + ": " + e.what());
    }
}

}  // namespace

std::unique_ptr<TForm> ReadFormDesign(const std::string& text, const std::string& fileName) {
    return WithOneLineErrors(fileName, [&] { return TFormReader(fileName).Read(text); });
}

struct TFormDesign::TTree {
    json Root;
};

TFormDesign::TFormDesign(const std::string& text, std::string fileName) : FFileName(std::move(fileName)) {
    FTree = std::make_unique<const TTree>(TTree{ParseDesignJson(text, FFileName)});
    // Creating one form checks everything a form from it would meet.
    CreateForm();
}

TFormDesign::~TFormDesign() = default;

std::unique_ptr<TForm> TFormDesign::CreateForm() const {
    return WithOneLineErrors(FFileName, [&] { return TFormReader(FFileName).Create(FTree->Root); });
}

std::unique_ptr<TForm> LoadFormDesign(const std::string& fileName) {
    // An endless source (a device, a pipe) stops at the size limit.
    return ReadFormDesign(platform::ReadWholeFile(fileName, TDesignLimits::kMaxFileBytes), fileName);
}

}  // namespace quill
