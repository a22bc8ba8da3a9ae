#include "framework/Component.h"

#include <algorithm>

#include "framework/TextHelpers.h"

namespace quill {

TComponent::TComponent(TComponent* owner) {
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
    FDestroying = true;
    // Tell the watchers first, while this object is still a component.
    while (!FWatchers.empty()) {
        TComponent* watcher = FWatchers.back();
        FWatchers.pop_back();
        Unlink(watcher->FWatched, this);
        watcher->RemovalNotice(this, opRemove);
    }
    for (TComponent* watched : FWatched) Unlink(watched->FWatchers, this);
    FWatched.clear();
    // Owned components go last first, each already detached from this owner.
    while (!FComponents.empty()) {
        std::unique_ptr<TComponent> last = std::move(FComponents.back());
        FComponents.pop_back();
        ++FChangeCount;
        last->FOwner = nullptr;
        last.reset();
    }
    if (TComponent* owner = FOwner) {
        owner->ExtractComponent(this);
        owner->NotifyOwned(this, opRemove);
    }
}

TComponent* TComponent::FindComponent(const std::string& name) const {
    if (name.empty()) return nullptr;
    for (const auto& c : FComponents)
        if (SameText(c->Name(), name)) return c.get();
    return nullptr;
}

void TComponent::AfterLoad() { FLoading = false; }

void TComponent::RemovalNotice(TComponent*, TOperation) {}

void TComponent::WatchRemoval(TComponent* other) {
    if (!other || other == this) return;
    if (std::find(other->FWatchers.begin(), other->FWatchers.end(), this) != other->FWatchers.end())
        return;
    other->FWatchers.push_back(this);
    FWatched.push_back(other);
}

void TComponent::UnwatchRemoval(TComponent* other) {
    if (!other) return;
    Unlink(other->FWatchers, this);
    Unlink(FWatched, other);
}

void TComponent::InsertComponent(TComponent* component) {
    component->FOwner = this;
    FComponents.emplace_back(component);
    ++FChangeCount;
    NotifyOwned(component, opInsert);
}

void TComponent::ExtractComponent(TComponent* component) {
    // The component is being destroyed by someone else: give up ownership
    // without deleting it a second time.
    auto it = std::find_if(FComponents.begin(), FComponents.end(),
                           [&](const auto& p) { return p.get() == component; });
    if (it == FComponents.end()) return;
    it->release();
    FComponents.erase(it);
    ++FChangeCount;
    component->FOwner = nullptr;
}

void TComponent::NotifyOwned(TComponent* component, TOperation operation) {
    RemovalNotice(component, operation);
    // A notice may destroy components, so walk a copy and skip the gone.
    std::vector<TComponent*> owned;
    for (const auto& c : FComponents) owned.push_back(c.get());
    const unsigned changes = FChangeCount;
    for (TComponent* c : owned) {
        if (c == component) continue;
        bool alive = changes == FChangeCount ||
                     std::any_of(FComponents.begin(), FComponents.end(),
                                 [&](const auto& p) { return p.get() == c; });
        if (alive) c->RemovalNotice(component, operation);
    }
}

void TComponent::Unlink(std::vector<TComponent*>& list, TComponent* item) {
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

}  // namespace quill
