#include "framework/Component.h"

#include <algorithm>
#include <cassert>

#include "framework/TextHelpers.h"

namespace quill {

TComponent::TComponent(TComponent* owner) {
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
    FDestroying = true;
    FFirstNewcomer = static_cast<uint32_t>(FComponents.size());
    if (FLinks) {
        FLinks->SiblingListeners.Clear();
        // Tell the watchers first, while this object is still a component.
        while (!FLinks->Watchers.Empty()) {
            TComponent* watcher = FLinks->Watchers.TakeLast();
            watcher->FLinks->Watched.Remove(this);
            watcher->RemovalNotice(this, opRemove);
        }
        for (TComponent* watched : FLinks->Watched.Items()) watched->FLinks->Watchers.Remove(this);
        FLinks->Watched.Clear();
    }
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

int TComponent::ComponentIndex(const TComponent* component) const {
    for (size_t i = 0; i < FComponents.size(); ++i)
        if (FComponents[i].get() == component) return static_cast<int>(i);
    return -1;
}

void TComponent::MoveComponent(TComponent* component, int index) {
    const int from = ComponentIndex(component);
    assert(from >= 0 && "only an owned component can be moved");
    if (from < 0) return;
    // Settle who hears its siblings first: the newcomers are the tail.
    SortNewcomers(nullptr);
    const int to = std::clamp(index, 0, ComponentCount() - 1);
    auto at = [this](int i) { return FComponents.begin() + i; };
    if (from < to)
        std::rotate(at(from), at(from + 1), at(to + 1));
    else if (to < from)
        std::rotate(at(to), at(from), at(from + 1));
}

void TComponent::AfterLoad() { FLoading = false; }

void TComponent::RemovalNotice(TComponent*, TOperation) {}

TComponent::TLinks& TComponent::Links() {
    if (!FLinks) FLinks = std::make_unique<TLinks>();
    return *FLinks;
}

void TComponent::WatchRemoval(TComponent* other) {
    if (!other || other == this) return;
    if (other->Links().Watchers.Add(this)) Links().Watched.Add(other);
}

void TComponent::UnwatchRemoval(TComponent* other) {
    if (!other) return;
    if (other->FLinks) other->FLinks->Watchers.Remove(this);
    if (FLinks) FLinks->Watched.Remove(other);
}

void TComponent::InsertComponent(TComponent* component) {
    component->FOwner = this;
    // Owners of any components mostly own a few: one allocation for those.
    if (FComponents.empty()) FComponents.reserve(4);
    FComponents.emplace_back(component);
    NotifyOwned(component, opInsert);
}

void TComponent::ExtractComponent(TComponent* component) {
    // The component is being destroyed by someone else: give up ownership
    // without deleting it a second time. The latest are the likeliest.
    auto it = std::find_if(FComponents.rbegin(), FComponents.rend(),
                           [&](const auto& p) { return p.get() == component; });
    if (it == FComponents.rend()) return;
    const auto index = static_cast<size_t>(std::distance(FComponents.begin(), std::next(it).base()));
    it->release();
    FComponents.erase(std::next(it).base());
    if (index < FFirstNewcomer) --FFirstNewcomer;
    if (FLinks) FLinks->SiblingListeners.Remove(component);
    component->FOwner = nullptr;
}

// Asks each component added since the last notice whether it hears its
// siblings, once, now that it is built; the one still being built waits.
// Newcomers are always the last owned components: every insertion sorts
// them, so the one being built, if still among them, is the last.
void TComponent::SortNewcomers(TComponent* constructing) {
    const size_t count = FComponents.size();
    bool waiting = false;
    for (size_t i = std::min<size_t>(FFirstNewcomer, count); i < count; ++i) {
        TComponent* c = FComponents[i].get();
        if (c == constructing)
            waiting = true;
        else if (c->HearsSiblings())
            Links().SiblingListeners.Add(c);
    }
    assert(!waiting || FComponents.back().get() == constructing);
    FFirstNewcomer = static_cast<uint32_t>(waiting ? count - 1 : count);
}

void TComponent::NotifyOwned(TComponent* component, TOperation operation) {
    RemovalNotice(component, operation);
    SortNewcomers(operation == opInsert ? component : nullptr);
    if (!FLinks || FLinks->SiblingListeners.Empty()) return;
    // A notice may destroy components, so walk a copy and skip the gone.
    for (TComponent* c : FLinks->SiblingListeners.Items())
        if (c != component && FLinks->SiblingListeners.Contains(c)) c->RemovalNotice(component, operation);
}

}  // namespace quill
