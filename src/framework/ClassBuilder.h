#pragma once

#include <functional>
#include <string>
#include <utility>

#include "framework/Color.h"
#include "framework/Component.h"
#include "framework/Set.h"
#include "framework/TypeInfo.h"

namespace quill {

// Builds the TClassInfo of class C from its getters and setters. Getters and
// setters are anything std::invoke takes: member function pointers or
// lambdas over C.
template <class C>
class TClassBuilder {
public:
    TClassBuilder(std::string name, const TClassInfo* parent) {
        FInfo.Name = std::move(name);
        FInfo.Parent = parent;
        if (parent) {
            FInfo.AcceptsChildren = parent->AcceptsChildren;
            FInfo.IsControl = parent->IsControl;
        }
    }

    TClassBuilder& Creatable() {
        FInfo.Create = [](TComponent* owner) -> TComponent* { return new C(owner); };
        return *this;
    }
    TClassBuilder& AcceptsChildren(bool value = true) {
        FInfo.AcceptsChildren = value;
        return *this;
    }
    TClassBuilder& IsControl() {
        FInfo.IsControl = true;
        return *this;
    }

    template <class G, class S>
    TClassBuilder& Int(std::string name, G get, S set, std::optional<int64_t> def = {}) {
        return Ordinal(std::move(name), TPropKind::Integer, "Integer", get, set, def);
    }
    template <class G, class S>
    TClassBuilder& Bool(std::string name, G get, S set, std::optional<bool> def = {}) {
        std::optional<int64_t> d;
        if (def) d = *def ? 1 : 0;
        return Ordinal(std::move(name), TPropKind::Boolean, "Boolean", get, set, d);
    }
    template <class G, class S>
    TClassBuilder& ColorProp(std::string name, G get, S set, std::optional<TColor> def = {}) {
        std::optional<int64_t> d;
        if (def) d = *def;
        return Ordinal(std::move(name), TPropKind::Color, "TColor", get, set, d);
    }
    template <class E, class G, class S>
    TClassBuilder& Enum(std::string name, const TEnumInfo& type, G get, S set, std::optional<E> def = {}) {
        TPropInfo p = MakeOrdinal(std::move(name), TPropKind::Enum, type.Name, get, set);
        p.SetOrd = [set](TPersistent& o, int64_t v) { std::invoke(set, Self(o), static_cast<E>(v)); };
        p.Enum = &type;
        if (def) p.Default = static_cast<int64_t>(*def);
        return Add(std::move(p));
    }
    template <class E, class G, class S>
    TClassBuilder& SetOf(std::string name, const TEnumInfo& type, G get, S set) {
        TPropInfo p;
        p.Name = std::move(name);
        p.Kind = TPropKind::Set;
        p.TypeName = "set of " + type.Name;
        p.Enum = &type;
        p.GetOrd = [get](const TPersistent& o) { return int64_t{std::invoke(get, Self(o)).Bits()}; };
        p.SetOrd = [set](TPersistent& o, int64_t v) {
            std::invoke(set, Self(o), TSet<E>::FromBits(static_cast<uint32_t>(v)));
        };
        return Add(std::move(p));
    }
    // storedWhenEmpty false: an empty string is not stored.
    template <class G, class S>
    TClassBuilder& String(std::string name, G get, S set, bool storedWhenEmpty = false) {
        TPropInfo p;
        p.Name = std::move(name);
        p.Kind = TPropKind::String;
        p.TypeName = "String";
        p.GetString = [get](const TPersistent& o) { return std::string(std::invoke(get, Self(o))); };
        p.SetString = [set](TPersistent& o, const std::string& v) { std::invoke(set, Self(o), v); };
        if (!storedWhenEmpty) p.Stored = [get](const TPersistent& o) { return !std::string(std::invoke(get, Self(o))).empty(); };
        return Add(std::move(p));
    }
    template <class G>
    TClassBuilder& Object(std::string name, std::string typeName, G get) {
        TPropInfo p;
        p.Name = std::move(name);
        p.Kind = TPropKind::Object;
        p.TypeName = std::move(typeName);
        p.NestedObject = [get](TPersistent& o) -> TPersistent* { return &std::invoke(get, static_cast<C&>(o)); };
        return Add(std::move(p));
    }
    // A reference to a component of class R, stored when set.
    template <class R, class G, class S>
    TClassBuilder& Reference(std::string name, std::string typeName, G get, S set) {
        TPropInfo p;
        p.Name = std::move(name);
        p.Kind = TPropKind::Reference;
        p.TypeName = std::move(typeName);
        p.GetReference = [get](const TPersistent& o) -> TComponent* { return std::invoke(get, Self(o)); };
        p.SetReference = [set](TPersistent& o, TComponent* c) {
            R* target = dynamic_cast<R*>(c);
            if (c && !target) return false;
            std::invoke(set, static_cast<C&>(o), target);
            return true;
        };
        p.Stored = [get](const TPersistent& o) { return std::invoke(get, Self(o)) != nullptr; };
        return Add(std::move(p));
    }
    // An event of type Ev (a TEvent), stored when bound to a named handler.
    template <class Ev, class G, class S>
    TClassBuilder& Event(std::string name, std::string typeName, G get, S set) {
        TPropInfo p;
        p.Name = std::move(name);
        p.Kind = TPropKind::Event;
        p.TypeName = std::move(typeName);
        p.EventType = std::type_index(typeid(Ev));
        p.GetHandlerName = [get](const TPersistent& o) { return std::invoke(get, Self(o)).HandlerName(); };
        p.SetEvent = [set](TPersistent& o, const std::any& e) {
            std::invoke(set, static_cast<C&>(o), e.has_value() ? std::any_cast<Ev>(e) : Ev());
        };
        p.Stored = [get](const TPersistent& o) { return !std::invoke(get, Self(o)).HandlerName().empty(); };
        return Add(std::move(p));
    }
    // A published handler `method` of form class C for events of type Ev.
    template <class Ev, class M>
    TClassBuilder& Method(std::string name, std::string eventTypeName, M method) {
        TMethodInfo m;
        m.Name = name;
        m.EventType = std::type_index(typeid(Ev));
        m.EventTypeName = std::move(eventTypeName);
        m.Bind = [method, name](TComponent& form) -> std::any {
            C* self = &static_cast<C&>(form);
            return Ev([self, method](auto&&... args) { std::invoke(method, *self, std::forward<decltype(args)>(args)...); },
                      name);
        };
        FInfo.Methods.push_back(std::move(m));
        return *this;
    }
    // Where a non-visual component sits in the designer, stored when not 0.
    TClassBuilder& DesignPosition() {
        Int("Left", &TComponent::DesignLeft, &TComponent::SetDesignLeft, 0);
        return Int("Top", &TComponent::DesignTop, &TComponent::SetDesignTop, 0);
    }
    // Further stored rule for the property added last.
    TClassBuilder& StoredWhen(std::function<bool(const C&)> rule) {
        FInfo.Props.back().Stored = [rule](const TPersistent& o) { return rule(Self(o)); };
        return *this;
    }

    TClassInfo Build() { return std::move(FInfo); }

private:
    static const C& Self(const TPersistent& o) { return static_cast<const C&>(o); }
    static C& Self(TPersistent& o) { return static_cast<C&>(o); }

    template <class G, class S>
    static TPropInfo MakeOrdinal(std::string name, TPropKind kind, std::string typeName, G get, S set) {
        TPropInfo p;
        p.Name = std::move(name);
        p.Kind = kind;
        p.TypeName = std::move(typeName);
        p.GetOrd = [get](const TPersistent& o) { return static_cast<int64_t>(std::invoke(get, Self(o))); };
        p.SetOrd = [set](TPersistent& o, int64_t v) {
            using Arg = std::decay_t<decltype(std::invoke(get, Self(o)))>;
            std::invoke(set, Self(o), static_cast<Arg>(v));
        };
        return p;
    }
    template <class G, class S>
    TClassBuilder& Ordinal(std::string name, TPropKind kind, std::string typeName, G get, S set,
                           std::optional<int64_t> def) {
        TPropInfo p = MakeOrdinal(std::move(name), kind, std::move(typeName), get, set);
        p.Default = def;
        return Add(std::move(p));
    }
    TClassBuilder& Add(TPropInfo p) {
        FInfo.Props.push_back(std::move(p));
        return *this;
    }

    TClassInfo FInfo;
};

}  // namespace quill
