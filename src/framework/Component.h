#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/ComponentSet.h"
#include "framework/Persistent.h"

namespace quill {

class TControl;

enum TOperation { opInsert, opRemove };

// A named object with an owner. The owner holds what it owns and destroys
// it; every other reference is plain and is dropped on a removal notice.
class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    std::string ClassName() const override { return "TComponent"; }
    static const TClassInfo& StaticInfo();
    const TClassInfo* PublishedInfo() const override { return &StaticInfo(); }

    // The component as a control, or null; cheaper than a dynamic_cast
    // where the reader and the page walk every component.
    virtual TControl* AsControl() { return nullptr; }
    virtual const TControl* AsControl() const { return nullptr; }

    const std::string& Name() const { return FName; }
    void SetName(const std::string& name) { FName = name; }

    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int index) const { return FComponents.at(index).get(); }
    // Makes room for that many owned components in all.
    void ReserveComponents(size_t count) { FComponents.reserve(count); }
    // The owned component of that name (letter case ignored), or null.
    TComponent* FindComponent(std::string_view name) const;
    // Where `component` sits among the owned ones (the order a design
    // stores them in), or -1 when this component does not own it.
    int ComponentIndex(const TComponent* component) const;
    // Moves an owned component to `index` (clamped), the others keeping
    // their order: how a designer restores or changes that order.
    void MoveComponent(TComponent* component, int index);

    // Set on every component while a stored design is read.
    bool Loading() const { return FLoading; }
    void SetLoading(bool loading) { FLoading = loading; }
    bool Destroying() const { return FDestroying; }

    // Runs once the stored design has been read; overrides call it first.
    virtual void AfterLoad();

    // Sent when a component is inserted into or removed from this
    // component's owner, or when a watched component is destroyed.
    virtual void RemovalNotice(TComponent* component, TOperation operation);
    // Whether RemovalNotice hears of the owner's other components. Classes
    // that need only their watches answer false, so that a form of many
    // components does not tell each of them about every other.
    virtual bool HearsSiblings() const { return true; }

    // Asks to be sent RemovalNotice when `other` is destroyed, whoever owns it.
    void WatchRemoval(TComponent* other);
    void UnwatchRemoval(TComponent* other);

    // Where a non-visual component sits in the designer; no run-time effect.
    int DesignLeft() const { return FLinks ? FLinks->DesignLeft : 0; }
    int DesignTop() const { return FLinks ? FLinks->DesignTop : 0; }
    void SetDesignLeft(int value) { Links().DesignLeft = value; }
    void SetDesignTop(int value) { Links().DesignTop = value; }

private:
    // What most components never use, made on first use: a design of many
    // components stays small, and walking it touches less memory.
    struct TLinks {
        TComponentSet Watchers;  // told when this one is destroyed
        TComponentSet Watched;   // those this one watches
        // Owned components that hear of their siblings.
        TComponentSet SiblingListeners;
        int DesignLeft = 0;
        int DesignTop = 0;
    };
    TLinks& Links();

    void InsertComponent(TComponent* component);
    void ExtractComponent(TComponent* component);
    void NotifyOwned(TComponent* component, TOperation operation);
    void SortNewcomers(TComponent* constructing);

    std::string FName;
    TComponent* FOwner = nullptr;
    std::vector<std::unique_ptr<TComponent>> FComponents;
    std::unique_ptr<TLinks> FLinks;
    // The owned components from this position on were added since the last
    // notice and may still have been under construction then: they have
    // not yet been asked whether they hear their siblings.
    uint32_t FFirstNewcomer = 0;
    bool FLoading = false;
    bool FDestroying = false;
};

// Sets a reference field to `value`, moving the holder's removal watch from
// the old target to the new one.
template <class T>
void SetComponentReference(T*& field, TComponent& holder, T* value) {
    if (field == value) return;
    if (field) holder.UnwatchRemoval(field);
    field = value;
    if (field) holder.WatchRemoval(field);
}

}  // namespace quill
