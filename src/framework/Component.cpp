#include "framework/Component.h"

#include <algorithm>

#include "framework/TextHelpers.h"

namespace quill {

TComponent::TComponent(TComponent* owner) {
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
    FDestroying = true;
    FSiblingListeners.Clear();
    FNewcomers.clear();
    // Tell the watchers first, while this object is still a component.
    while (!FWatchers.Empty()) {
        TComponent* watcher = FWatchers.TakeLast();
        watcher->FWatched.Remove(this);
        watcher->RemovalNotice(this, opRemove);
    }
    for (TComponent* watched : FWatched.Items()) watched->FWatchers.Remove(this);
    FWatched.Clear();
    // Owned components go last first, each already detached from this owner.
    while (!FComponents.empty()) {
        std::unique_ptr<TComponent> last = std::move(FComponents.back());
        FComponents.pop_back();
        last->FOwner = nullptr;
        last.reset();
    }
    if (TComponent* owner = FOwner) {
        owner->ExtractComponent(this);
        owner->NotifyOwned(this, opRemove);
    }
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    if (name.empty()) return nullptr;
    for (const auto& c : FComponents)
        if (SameText(c->Name(), name)) return c.get();
    return nullptr;
}

void TComponent::AfterLoad() { FLoading = false; }

void TComponent::RemovalNotice(TComponent*, TOperation) {}

void TComponent::WatchRemoval(TComponent* other) {
    if (!other || other == this) return;
    if (other->FWatchers.Add(this)) FWatched.Add(other);
}

void TComponent::UnwatchRemoval(TComponent* other) {
    if (!other) return;
    other->FWatchers.Remove(this);
    FWatched.Remove(other);
}

void TComponent::InsertComponent(TComponent* component) {
    component->FOwner = this;
    // Owners of any components mostly own a few: one allocation for those.
    if (FComponents.empty()) FComponents.reserve(4);
    FComponents.emplace_back(component);
    FNewcomers.push_back(component);
    NotifyOwned(component, opInsert);
}

void TComponent::ExtractComponent(TComponent* component) {
    // The component is being destroyed by someone else: give up ownership
    // without deleting it a second time. The latest are the likeliest.
    auto it = std::find_if(FComponents.rbegin(), FComponents.rend(),
                           [&](const auto& p) { return p.get() == component; });
    if (it == FComponents.rend()) return;
    it->release();
    FComponents.erase(std::next(it).base());
    FSiblingListeners.Remove(component);
    FNewcomers.erase(std::remove(FNewcomers.begin(), FNewcomers.end(), component), FNewcomers.end());
    component->FOwner = nullptr;
}

// Asks each component added since the last notice whether it hears its
// siblings, once, now that it is built; the one still being built waits.
void TComponent::SortNewcomers(TComponent* constructing) {
    bool waiting = false;
    for (TComponent* c : FNewcomers) {
        if (c == constructing)
            waiting = true;
        else if (c->HearsSiblings())
            FSiblingListeners.Add(c);
    }
    FNewcomers.clear();
    if (waiting) FNewcomers.push_back(constructing);
}

void TComponent::NotifyOwned(TComponent* component, TOperation operation) {
    RemovalNotice(component, operation);
    SortNewcomers(operation == opInsert ? component : nullptr);
    // A notice may destroy components, so walk a copy and skip the gone.
    for (TComponent* c : FSiblingListeners.Items())
        if (c != component && FSiblingListeners.Contains(c)) c->RemovalNotice(component, operation);
}

}  // namespace quill
