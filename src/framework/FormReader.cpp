#include "framework/FormReader.h"

#include <algorithm>
#include <deque>
#include <limits>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "framework/DesignJson.h"
#include "framework/DesignPlan.h"
#include "framework/DesignTree.h"
#include "framework/DesignLimits.h"
#include "framework/Exception.h"
#include "framework/NameSuggestion.h"
#include "framework/PropertyValue.h"
#include "framework/TextHelpers.h"
#include "framework/TypeInfo.h"
#include "platform/AtomicFile.h"

namespace quill {

namespace {

const char* JsonTypeName(const TDesignValue& value) {
    return value.IsInteger() ? "an integer" : value.IsNumber() ? "a number" : value.IsString() ? "a string"
           : value.IsBoolean()      ? "a boolean"
           : value.IsArray()        ? "an array"
           : value.IsObject()       ? "an object"
                                     : "null";
}

bool IsIdentifier(std::string_view name) {
    if (name.empty() || (name[0] >= '0' && name[0] <= '9')) return false;
    for (char c : name)
        if (!(c == '_' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
    return true;
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// Where in the design a value lies: a chain of parts back to the root,
// each a name or a position among the children. It is spelled out only
// when a message names it, so reading a sound design builds no paths.
struct TPlace {
    const TPlace* Parent = nullptr;
    std::string_view Name;  // empty for a position among the children
    size_t ChildIndex = 0;

    std::string Text() const {
        std::vector<const TPlace*> chain;
        for (const TPlace* p = this; p; p = p->Parent) chain.push_back(p);
        std::string text(chain.back()->Name);
        for (size_t i = chain.size() - 1; i-- > 0;) {
            if (chain[i]->Name.empty())
                text += ".children[" + std::to_string(chain[i]->ChildIndex) + "]";
            else
                text.append(".").append(chain[i]->Name);
        }
        return text;
    }
};

// Letter case ignored, as component names compare; names are ASCII.
char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

struct TNameHash {
    size_t operator()(std::string_view name) const {
        size_t hash = 14695981039346656037ull;
        for (char c : name) hash = (hash ^ static_cast<unsigned char>(LowerAscii(c))) * 1099511628211ull;
        return hash;
    }
};

struct TNameEqual {
    bool operator()(std::string_view a, std::string_view b) const {
        if (a.size() != b.size()) return false;
        for (size_t i = 0; i < a.size(); ++i)
            if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
        return true;
    }
};

class TFormReader {
public:
    // With a plan, records there what it does to make the form.
    explicit TFormReader(std::string fileName, TDesignPlan* plan = nullptr)
        : FFileName(std::move(fileName)), FPlan(plan) {}

    // Only reads `root`, so several readers may share one parsed design.
    std::unique_ptr<TForm> Create(const TDesignValue& root) {
        std::unique_ptr<TForm> form = CreateRoot(root);
        FForm = form.get();
        form->SetDesignFolder(DesignFolderOf(FFileName));
        ReadTree(*form, root, TPlace{nullptr, form->Name()});
        ResolveReferences();
        try {
            form->BindComponents();
        } catch (const Exception& e) {
            Fail(TPlace{nullptr, form->Name()}, e.Message());
        }
        FAssembly.Finish();
        return form;
    }

    // One value onto a component of a form already made, as a design would
    // give it; references resolve against that form.
    void ReadOne(TForm& form, TPersistent& target, const TPropInfo& prop, const TDesignValue& value,
                 const std::string& place) {
        FForm = &form;
        ReadValue(target, prop, value, TPlace{nullptr, place});
        ResolveReferences();
    }

    // False when the recorded plan cannot stand for the design: it refers
    // to a component the form class makes by itself.
    bool PlanComplete() const { return FPlanComplete; }

private:
    struct TPendingReference {
        TPersistent* Target;
        const TPropInfo* Prop;
        std::string Name;
        std::string Path;
        size_t Step;  // its step in the plan, if one is recorded
    };

    void Record(TDesignStep step) {
        if (FPlan) FPlan->Steps.push_back(std::move(step));
    }

    [[noreturn]] void Fail(const TPlace& place, const std::string& problem) const {
        FailAt(place.Text(), problem);
    }
    [[noreturn]] void FailAt(const std::string& path, const std::string& problem) const {
        // A value read into a form already made has no file to name.
        throw Exception((FFileName.empty() ? "" : FFileName + ": ") + path + ": " + problem);
    }

    const TClassInfo& ClassOf(const TDesignValue& object, const TPlace& place) const {
        const TDesignValue* it = object.Find("class");
        if (!it) Fail(place, "missing \"class\"");
        if (!it->IsString()) Fail(place, "\"class\" must be a string");
        std::string_view name = it->Text();
        const TClassInfo* info = FindDesignClass(name);
        if (!info || !info->Create)
            Fail(place, "unknown class " + Quoted(name) + DidYouMean(std::string(name), ClassNames()));
        return *info;
    }

    // The name as the shared design holds it.
    std::string_view NameOf(const TDesignValue& object, const TPlace& place) const {
        const TDesignValue* it = object.Find("name");
        if (!it) Fail(place, "missing \"name\"");
        if (!it->IsString()) Fail(place, "\"name\" must be a string");
        std::string_view name = it->Text();
        if (!IsIdentifier(name)) Fail(place, "invalid name " + Quoted(name) + " (letters, digits and _, not first a digit)");
        return name;
    }

    static std::vector<std::string> ClassNames() {
        std::vector<std::string> names;
        for (const TClassInfo* info : DesignClasses())
            if (info->Create) names.push_back(info->Name);
        return names;
    }

    // The root may also name its schema, for editors; the reader ignores it.
    void CheckKeys(const TDesignValue& object, const TPlace& place, bool root = false) const {
        if (!object.IsObject()) Fail(place, std::string("an object must be a JSON object, not ") + JsonTypeName(object));
        static const std::vector<std::string> keys = {"class", "name", "properties", "children"};
        for (const TDesignValue& member : object) {
            std::string_view key = member.Key();
            if (root && key == "$schema") continue;
            if (std::find(keys.begin(), keys.end(), key) == keys.end())
                Fail(place, "unknown key " + Quoted(key) + DidYouMean(std::string(key), keys));
        }
    }

    std::unique_ptr<TForm> CreateRoot(const TDesignValue& root) {
        const TPlace place{nullptr, "(root)"};
        CheckKeys(root, place, true);
        const TClassInfo& info = ClassOf(root, place);
        std::string_view name = NameOf(root, place);
        std::unique_ptr<TComponent> created(info.Create(nullptr));
        auto* form = dynamic_cast<TForm*>(created.get());
        if (!form) FailAt(std::string(name), "the root must be a form, not a " + Quoted(info.Name));
        created.release();
        std::unique_ptr<TForm> result(form);
        FAssembly.Start(*form, name);
        Record({.Kind = TDesignStep::TKind::Create, .Class = &info, .Text = std::string(name)});
        return result;
    }

    // One object whose designed children are being read. Its place stays
    // where it is while its children are read: they point to it.
    struct TOpenObject {
        TComponent* Component;
        size_t CreationIndex;
        TDesignValue::TIterator Next;  // the next child to read
        TDesignValue::TIterator End;
        size_t NextIndex;
        TPlace Place;
        size_t Level;
    };

    // Reads the root's properties and then every object below it, depth
    // first in document order. The open objects sit on an explicit stack:
    // a deep design costs heap, bounded by the nesting limit, not call depth.
    // A deque, because growing it leaves the places already on it in place.
    void ReadTree(TComponent& root, const TDesignValue& object, const TPlace& place) {
        std::deque<TOpenObject> open;
        ReadObjectBody(root, object, place, 0, open);
        while (!open.empty()) {
            TOpenObject& top = open.back();
            if (top.Next == top.End) {
                open.pop_back();
                continue;
            }
            size_t index = top.NextIndex++;
            const TDesignValue& child = *top.Next;
            ++top.Next;
            size_t level = top.Level + 1;
            TComponent& created = CreateChild(top, child, index, level);
            ReadObjectBody(created, child, TPlace{&top.Place, created.Name()}, level, open);
        }
    }

    void ReadObjectBody(TComponent& component, const TDesignValue& object, const TPlace& place, size_t level,
                        std::deque<TOpenObject>& open) {
        if (const TDesignValue* props = object.Find("properties")) {
            ReadProperties(component, *component.PublishedInfo(), *props, place);
            CheckEdges(component, place);
        }
        if (const TDesignValue* children = object.Find("children")) {
            if (!children->IsArray()) Fail(place, "\"children\" must be an array");
            open.push_back(
                {&component, FAssembly.Created().size() - 1, children->begin(), children->end(), 0, place, level});
        }
    }

    TComponent& CreateChild(const TOpenObject& open, const TDesignValue& child, size_t index, size_t level) {
        TComponent& parent = *open.Component;
        const TPlace& parentPlace = open.Place;
        const TPlace indexPlace{&parentPlace, {}, index};
        CheckKeys(child, indexPlace);
        const TClassInfo& info = ClassOf(child, indexPlace);
        std::string_view name = NameOf(child, indexPlace);
        const TPlace childPlace{&parentPlace, name};
        if (!parent.PublishedInfo()->AcceptsChildren)
            Fail(childPlace, "a " + parent.PublishedInfo()->Name + " does not accept designed children");
        if (info.InheritsFrom(TForm::StaticInfo())) Fail(childPlace, "a form cannot be a child");
        if (!info.IsControl && &parent != FForm)
            Fail(childPlace, "the non-visual " + info.Name + " must be a child of the form");
        if (level > TDesignLimits::kMaxNesting)
            Fail(childPlace, "components nested more than " + std::to_string(TDesignLimits::kMaxNesting) +
                                 " levels deep");
        if (FAssembly.Created().size() >= TDesignLimits::kMaxComponents)
            Fail(childPlace, "more than " + std::to_string(TDesignLimits::kMaxComponents) + " components");
        if (FindOwned(name) || SameText(name, FForm->Name())) Fail(childPlace, "duplicate name " + Quoted(name));
        Record({.Kind = TDesignStep::TKind::Create, .Class = &info, .Index = open.CreationIndex, .Text = std::string(name)});
        TComponent& created = FAssembly.AddChild(info, name, parent);
        FOwnedByName.emplace(created.Name(), &created);
        return created;
    }

    // Right and bottom edges must stay 32-bit, as every later sum of them does.
    void CheckEdges(const TComponent& component, const TPlace& place) const {
        const TControl* control = component.AsControl();
        if (!control) return;
        auto check = [&](const char* sizeName, const char* edge, int64_t start, int64_t size) {
            int64_t end = start + size;
            if (end < std::numeric_limits<int32_t>::min() || end > std::numeric_limits<int32_t>::max())
                Fail(TPlace{&place, sizeName}, std::string("the ") + edge + " edge " + std::to_string(end) +
                                                   " leaves the 32-bit range");
        };
        check("Width", "right", control->Left(), control->Width());
        check("Height", "bottom", control->Top(), control->Height());
    }

    // One designed value of an object, waiting to be read in published order.
    struct TPendingValue {
        int Position;
        const TPropInfo* Prop;
        const TDesignValue* Value;
    };

    void ReadProperties(TPersistent& target, const TClassInfo& info, const TDesignValue& props, const TPlace& place) {
        if (!props.IsObject()) Fail(place, "\"properties\" must be an object");
        const std::vector<const TPropInfo*>& published = info.PublishedProperties();
        // Nested objects read further values onto the same list, after these.
        const size_t first = FPending.size();
        for (const TDesignValue& member : props) {
            int position = info.PropertyPosition(member.Key());
            if (position < 0)
                Fail(TPlace{&place, member.Key()},
                     "unknown property of " + info.Name + DidYouMean(std::string(member.Key()), PropertyNames(info)));
            FPending.push_back({position, published[static_cast<size_t>(position)], &member});
        }
        // Published order, whatever the order in the file.
        std::sort(FPending.begin() + static_cast<ptrdiff_t>(first), FPending.end(),
                  [](const TPendingValue& a, const TPendingValue& b) { return a.Position < b.Position; });
        const size_t end = FPending.size();
        for (size_t i = first; i < end; ++i) {
            const TPendingValue value = FPending[i];
            ReadValue(target, *value.Prop, *value.Value, TPlace{&place, value.Prop->Name});
        }
        FPending.resize(first);
    }

    void ReadValue(TPersistent& target, const TPropInfo& prop, const TDesignValue& value, const TPlace& place) {
        // The expectation is spelled out only when it is not met.
        auto expect = [&](bool ok, auto what) {
            if (!ok) Fail(place, "expected " + std::string(what()) + ", got " + JsonTypeName(value));
        };
        auto text = [](const char* literal) { return [literal] { return std::string(literal); }; };
        switch (prop.Kind) {
        case TPropKind::Integer:
            expect(value.IsInteger(), text("an integer"));
            SetOrd(target, prop, IntegerIn(value, place, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
            break;
        case TPropKind::Boolean:
            expect(value.IsBoolean(), text("true or false"));
            SetOrd(target, prop, value.Bool() ? 1 : 0);
            break;
        case TPropKind::String: {
            expect(value.IsString(), text("a string"));
            std::string string(value.Text());
            if (FPlan) Record({.Kind = TDesignStep::TKind::String, .Prop = &prop, .Text = string});
            // A setter that checks its value refuses with a message of its own.
            try {
                prop.SetString(target, string);
            } catch (const Exception& e) {
                Fail(place, e.Message());
            }
            break;
        }
        case TPropKind::Enum:
            expect(value.IsString(), [&] { return "a member name of " + prop.TypeName; });
            SetOrd(target, prop, MemberIndex(*prop.Enum, value.Text(), place));
            break;
        case TPropKind::Set: {
            expect(value.IsArray(), [&] { return "an array of " + prop.Enum->Name + " member names"; });
            int64_t bits = 0;
            for (const TDesignValue& member : value) {
                if (!member.IsString()) Fail(place, "expected member names of " + prop.Enum->Name + ", got " + JsonTypeName(member));
                bits |= int64_t{1} << MemberIndex(*prop.Enum, member.Text(), place);
            }
            SetOrd(target, prop, bits);
            break;
        }
        case TPropKind::Color:
            SetOrd(target, prop, ColorValue(value, place));
            break;
        case TPropKind::Object: {
            expect(value.IsObject(), [&] { return "an object of " + prop.TypeName + " properties"; });
            Record({.Kind = TDesignStep::TKind::Enter, .Prop = &prop});
            TPersistent* nested = prop.NestedObject(target);
            ReadProperties(*nested, *nested->PublishedInfo(), value, place);
            Record({.Kind = TDesignStep::TKind::Leave});
            break;
        }
        case TPropKind::Reference:
            expect(value.IsString(), text("a component name"));
            FReferences.push_back({&target, &prop, std::string(value.Text()), place.Text(), FPlan ? FPlan->Steps.size() : 0});
            Record({.Kind = TDesignStep::TKind::Reference, .Prop = &prop});
            break;
        case TPropKind::Event:
            expect(value.IsString(), text("a handler name"));
            BindEvent(target, prop, std::string(value.Text()), place);
            break;
        }
    }

    void SetOrd(TPersistent& target, const TPropInfo& prop, int64_t value) {
        Record({.Kind = TDesignStep::TKind::Ordinal, .Prop = &prop, .Ordinal = value});
        prop.SetOrd(target, value);
    }

    int64_t IntegerIn(const TDesignValue& value, const TPlace& place, int64_t low, int64_t high) const {
        if (value.IsUnsigned() && value.UInt() > static_cast<uint64_t>(high)) Fail(place, "value out of range");
        int64_t v = value.Int();
        if (v < low || v > high) Fail(place, "value " + std::to_string(v) + " out of range");
        return v;
    }

    static std::vector<std::string> PropertyNames(const TClassInfo& info) {
        std::vector<std::string> names;
        for (const TPropInfo* prop : info.PublishedProperties()) names.push_back(prop->Name);
        return names;
    }

    int MemberIndex(const TEnumInfo& type, std::string_view member, const TPlace& place) const {
        int index = type.IndexOf(member);
        if (index < 0)
            Fail(place, "unknown member " + Quoted(member) + " of " + type.Name +
                            DidYouMean(std::string(member), type.Members) +
                           " (members: " + JoinNames(type.Members) + ")");
        return index;
    }

    int64_t ColorValue(const TDesignValue& value, const TPlace& place) const {
        if (value.IsString()) {
            std::optional<TColor> color = ColorFromText(value.Text());
            if (!color) Fail(place, UnknownColour(std::string(value.Text())));
            return *color;
        }
        if (!value.IsInteger())
            Fail(place, std::string("expected a colour (name, \"#RRGGBB\" or integer), got ") + JsonTypeName(value));
        // Negative values and their unsigned 32-bit spellings both name system colours.
        return static_cast<TColor>(static_cast<uint32_t>(IntegerIn(value, place, INT32_MIN, UINT32_MAX)));
    }

    static std::string UnknownColour(const std::string& text) {
        if (!text.empty() && text[0] == '#')
            return "invalid colour " + Quoted(text) + "; write \"#RRGGBB\": \"#\" and six hexadecimal digits, red, green, blue";
        return "unknown colour name " + Quoted(text) + DidYouMean(text, ColorNames());
    }

    void BindEvent(TPersistent& target, const TPropInfo& prop, const std::string& handler, const TPlace& place) {
        const TClassInfo& formClass = *FForm->PublishedInfo();
        const TMethodInfo* method = formClass.FindMethod(handler);
        if (!method) Fail(place, "no published handler " + Quoted(handler) + " in " + formClass.Name + HandlerHint(formClass, handler));
        if (method->EventType != *prop.EventType)
            Fail(place, "handler " + Quoted(handler) + " is a " + method->EventTypeName + ", not a " + prop.TypeName);
        Record({.Kind = TDesignStep::TKind::Event, .Prop = &prop, .Method = method});
        prop.SetEvent(target, method->Bind(*FForm));
    }

    // The form's component of that name (letter case ignored), or null;
    // the first of a name wins, as in FindComponent.
    TComponent* FindOwned(std::string_view name) {
        if (FOwnedByName.empty())
            for (int i = 0; i < FForm->ComponentCount(); ++i)
                if (TComponent* c = FForm->Components(i); !c->Name().empty()) FOwnedByName.emplace(c->Name(), c);
        auto it = FOwnedByName.find(name);
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
            if (!found) FailAt(ref.Path, "no component named " + Quoted(ref.Name));
            if (!ref.Prop->SetReference(*ref.Target, found))
                FailAt(ref.Path, Quoted(ref.Name) + " is a " + found->ClassName() + ", not a " + ref.Prop->TypeName);
            if (FPlan) RecordReference(ref.Step, *found);
        }
    }

    void RecordReference(size_t step, const TComponent& found) {
        if (FCreationIndex.empty())
            for (size_t i = 0; i < FAssembly.Created().size(); ++i) FCreationIndex.emplace(FAssembly.Created()[i], i);
        auto it = FCreationIndex.find(&found);
        if (it == FCreationIndex.end())
            FPlanComplete = false;
        else
            FPlan->Steps[step].Index = it->second;
    }

    std::string FFileName;
    TDesignPlan* FPlan;
    bool FPlanComplete = true;
    std::unordered_map<const TComponent*, size_t> FCreationIndex;  // for recording references
    TFormAssembly FAssembly;
    TForm* FForm = nullptr;
    // The form's components by name, letter case ignored, so that finding
    // one does not walk them all: a design of many components stays
    // linear. The keys view the components' own names.
    std::unordered_map<std::string_view, TComponent*, TNameHash, TNameEqual> FOwnedByName;
    std::vector<TPendingReference> FReferences;
    std::vector<TPendingValue> FPending;
};

// The plain values of an object and of the objects nested in it, in
// published order, to put back when reading into it is refused.
class TSavedValues {
public:
    void Save(TPersistent& object) {
        const TClassInfo* info = object.PublishedInfo();
        if (!info) return;
        for (const TPropInfo* prop : info->PublishedProperties()) {
            switch (prop->Kind) {
            case TPropKind::Object:
                Save(*prop->NestedObject(object));
                break;
            case TPropKind::String:
                FValues.push_back({&object, prop, 0, prop->GetString(object), nullptr});
                break;
            case TPropKind::Reference:
                FValues.push_back({&object, prop, 0, {}, prop->GetReference(object)});
                break;
            case TPropKind::Event:
                // A nested object's event is only ever set by a name that binds.
                break;
            default:
                FValues.push_back({&object, prop, prop->GetOrd(object), {}, nullptr});
            }
        }
    }

    void Restore() const {
        for (const TSaved& saved : FValues) {
            if (saved.Prop->Kind == TPropKind::String)
                saved.Prop->SetString(*saved.Object, saved.Text);
            else if (saved.Prop->Kind == TPropKind::Reference)
                saved.Prop->SetReference(*saved.Object, saved.Reference);
            else
                saved.Prop->SetOrd(*saved.Object, saved.Ordinal);
        }
    }

private:
    struct TSaved {
        TPersistent* Object;
        const TPropInfo* Prop;
        int64_t Ordinal;
        std::string Text;
        TComponent* Reference;
    };
    std::vector<TSaved> FValues;
};

}  // namespace

namespace {

// Runs `read` on the design's tree from the plain parser, the common case;
// for anything else, or when reading ends in an Exception, again on the
// tree from the full parser, so that every refusal keeps its one message.
template <class F>
auto ReadDesignTree(const std::string& text, const std::string& fileName, F read) {
    if (std::unique_ptr<TDesignTree> plain = TDesignTree::ParsePlain(text)) {
        try {
            return read(plain);
        } catch (const Exception&) {
        }
    }
    std::unique_ptr<TDesignTree> full = TDesignTree::FromJson(ParseDesignJson(text, fileName));
    return read(full);
}

}  // namespace

std::unique_ptr<TForm> ReadFormDesign(const std::string& text, const std::string& fileName) {
    return ReadDesignTree(text, fileName,
                          [&](std::unique_ptr<TDesignTree>& tree) { return TFormReader(fileName).Create(tree->Root()); });
}

// The plan of the first reading; the design's text and tree only when the
// plan cannot stand for it.
struct TFormDesign::TStored {
    std::optional<TDesignPlan> Plan;
    std::string Text;
    std::unique_ptr<TDesignTree> Tree;  // may view Text
};

TFormDesign::TFormDesign(const std::string& text, std::string fileName) : FFileName(std::move(fileName)) {
    auto stored = std::make_unique<TStored>();
    stored->Text = text;
    ReadDesignTree(stored->Text, FFileName, [&](std::unique_ptr<TDesignTree>& tree) {
        // Creating one form checks everything a form from it would meet.
        TDesignPlan plan;
        TFormReader reader(FFileName, &plan);
        reader.Create(tree->Root());
        if (reader.PlanComplete())
            stored->Plan = std::move(plan);
        else
            stored->Tree = std::move(tree);
        return true;
    });
    if (stored->Plan) stored->Text = std::string();
    FStored = std::move(stored);
}

TFormDesign::~TFormDesign() = default;

std::unique_ptr<TForm> TFormDesign::CreateForm() const {
    return FStored->Plan ? FStored->Plan->CreateForm(FFileName) : TFormReader(FFileName).Create(FStored->Tree->Root());
}

void ReadPropertyValue(TForm& form, TPersistent& target, const TPropInfo& prop, const nlohmann::json& value,
                       const std::string& place) {
    if (prop.Kind == TPropKind::Reference && value.is_null()) {
        prop.SetReference(target, nullptr);
        return;
    }
    if (prop.Kind == TPropKind::Event && value.is_null()) {
        prop.SetEvent(target, std::any());
        return;
    }
    // Only a nested object can be refused halfway, after some of its
    // values were set; the rest fail before they set anything. Setting a
    // nested value may change its owner too (a font clears ParentFont).
    TSavedValues saved;
    if (prop.Kind == TPropKind::Object) saved.Save(target);
    std::unique_ptr<TDesignTree> tree = TDesignTree::FromJson(value);
    try {
        TFormReader("").ReadOne(form, target, prop, tree->Root(), place);
    } catch (const Exception&) {
        saved.Restore();
        throw;
    }
}

std::unique_ptr<TForm> LoadFormDesign(const std::string& fileName) {
    // An endless source (a device, a pipe) stops at the size limit.
    return ReadFormDesign(platform::ReadWholeFile(fileName, TDesignLimits::kMaxFileBytes), fileName);
}

}  // namespace quill
