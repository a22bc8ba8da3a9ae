#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <typeindex>
#include <unordered_map>
#include <vector>

namespace quill {

class TPersistent;
class TComponent;

// The member names of an enumeration, by ordinal.
struct TEnumInfo {
    std::string Name;
    std::vector<std::string> Members;
    int IndexOf(std::string_view member) const;
};

enum class TPropKind { Integer, Boolean, String, Enum, Set, Color, Object, Reference, Event };

// One published property: how to read it, write it and whether to store it.
struct TPropInfo {
    std::string Name;
    TPropKind Kind = TPropKind::Integer;
    std::string TypeName;  // shown in messages: "Integer", "THtmlAlignH", "TWinControl", ...
    const TEnumInfo* Enum = nullptr;  // Enum and Set

    // Integer, Boolean, Enum, Set (bit mask) and Color go through ordinals.
    std::function<int64_t(const TPersistent&)> GetOrd;
    std::function<void(TPersistent&, int64_t)> SetOrd;
    std::function<std::string(const TPersistent&)> GetString;
    std::function<void(TPersistent&, const std::string&)> SetString;
    // A nested property object, filled in place.
    std::function<TPersistent*(TPersistent&)> NestedObject;
    // A component reference; SetReference answers false for a component of
    // the wrong class and leaves the property unchanged.
    std::function<TComponent*(const TPersistent&)> GetReference;
    std::function<bool(TPersistent&, TComponent*)> SetReference;
    // An event; SetEvent takes the bound value a TMethodInfo makes, and an
    // empty value unbinds it.
    std::optional<std::type_index> EventType;
    std::function<std::string(const TPersistent&)> GetHandlerName;
    std::function<void(TPersistent&, const std::any&)> SetEvent;

    // An ordinal property equal to its default is not stored.
    std::optional<int64_t> Default;
    // Any further stored rule; none means stored.
    std::function<bool(const TPersistent&)> Stored;

    bool IsStored(const TPersistent& object) const;
};

// A published handler of a form class that designs bind events to.
struct TMethodInfo {
    std::string Name;
    std::type_index EventType = typeid(void);
    std::string EventTypeName;
    std::function<std::any(TComponent& form)> Bind;
};

// A class's whole property list and its index by name, computed on first
// use from where the class info finally lives. A copy starts empty and
// computes its own, so its pointers never lead into the original.
class TPropertyIndex {
public:
    TPropertyIndex() = default;
    TPropertyIndex(const TPropertyIndex&) {}
    TPropertyIndex& operator=(const TPropertyIndex&) { return *this; }

    std::vector<const TPropInfo*> All;                          // published order
    std::unordered_map<std::string_view, size_t> ByName;       // position in All
    std::once_flag Once;
};

// The published face of a class: its properties in published order (the
// parent's first), its handlers, and how to create it by name.
struct TClassInfo {
    std::string Name;
    const TClassInfo* Parent = nullptr;
    std::function<TComponent*(TComponent* owner)> Create;  // null: not creatable by name
    std::vector<TPropInfo> Props;                            // own ones only
    std::vector<TMethodInfo> Methods;
    bool AcceptsChildren = false;  // may hold designed child controls
    bool IsControl = false;

    // Computed once per class; safe to call from several threads.
    const std::vector<const TPropInfo*>& PublishedProperties() const;
    const TPropInfo* FindProperty(std::string_view name) const;
    // The property's place in PublishedProperties(), or -1 when there is none.
    int PropertyPosition(std::string_view name) const;
    const TMethodInfo* FindMethod(const std::string& name) const;
    bool InheritsFrom(const TClassInfo& other) const;

private:
    const TPropertyIndex& Index() const;
    mutable TPropertyIndex FIndex;
};

// Classes that designs may name.
void RegisterDesignClass(const TClassInfo& info);
const TClassInfo* FindDesignClass(std::string_view name);
// Every class designs may name, sorted by name.
std::vector<const TClassInfo*> DesignClasses();

}  // namespace quill
