#pragma once

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
    int DesignLeft() const { return FDesignLeft; }
    int DesignTop() const { return FDesignTop; }
    void SetDesignLeft(int value) { FDesignLeft = value; }
    void SetDesignTop(int value) { FDesignTop = value; }

private:
    void InsertComponent(TComponent* component);
    void ExtractComponent(TComponent* component);
    void NotifyOwned(TComponent* component, TOperation operation);
    void SortNewcomers(TComponent* constructing);

    std::string FName;
    TComponent* FOwner = nullptr;
    std::vector<std::unique_ptr<TComponent>> FComponents;
    TComponentSet FWatchers;  // told when this one is destroyed
    TComponentSet FWatched;   // those this one watches
    // Owned components that hear of their siblings, and those added since
    // the last notice, which may still have been under construction then.
    TComponentSet FSiblingListeners;
    std::vector<TComponent*> FNewcomers;
    bool FLoading = false;
    bool FDestroying = false;
    int FDesignLeft = 0;
    int FDesignTop = 0;
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
