#pragma once

#include <cstddef>
#include <memory>
#include <unordered_map>
#include <vector>

namespace quill {

class TComponent;

// Components in the order they were added, with constant-time lookup and
// removal: a component that many others watch or list costs linear time
// overall, not a scan per registration. Most sets hold a few items or
// none; those are searched in place and cost no index.
class TComponentSet {
public:
    bool Empty() const { return FCount == 0; }
    bool Contains(TComponent* item) const { return Find(item) != kNone; }

    // False when the item was there already.
    bool Add(TComponent* item) {
        if (Contains(item)) return false;
        if (FIndex) FIndex->emplace(item, FItems.size());
        FItems.push_back(item);
        ++FCount;
        if (!FIndex && FItems.size() > kScannedItems) BuildIndex();
        return true;
    }

    void Remove(TComponent* item) {
        size_t at = Find(item);
        if (at == kNone) return;
        FItems[at] = nullptr;
        if (FIndex) FIndex->erase(item);
        --FCount;
        ++FHoles;
        if (FHoles > 16 && FHoles * 2 > FItems.size()) Compact();
    }

    // Removes and returns the item added last.
    TComponent* TakeLast() {
        while (FItems.back() == nullptr) {
            FItems.pop_back();
            --FHoles;
        }
        TComponent* last = FItems.back();
        FItems.pop_back();
        if (FIndex) FIndex->erase(last);
        --FCount;
        return last;
    }

    // The items in adding order, as a copy a caller may walk while the set changes.
    std::vector<TComponent*> Items() const {
        std::vector<TComponent*> items;
        items.reserve(FCount);
        for (TComponent* item : FItems)
            if (item) items.push_back(item);
        return items;
    }

    void Clear() {
        FItems.clear();
        FIndex.reset();
        FCount = 0;
        FHoles = 0;
    }

private:
    // Up to this many places, holes included, a scan beats hashing.
    static constexpr size_t kScannedItems = 8;
    static constexpr size_t kNone = static_cast<size_t>(-1);

    size_t Find(TComponent* item) const {
        if (!item) return kNone;
        if (FIndex) {
            auto it = FIndex->find(item);
            return it == FIndex->end() ? kNone : it->second;
        }
        for (size_t i = 0; i < FItems.size(); ++i)
            if (FItems[i] == item) return i;
        return kNone;
    }

    void BuildIndex() {
        FIndex = std::make_unique<std::unordered_map<TComponent*, size_t>>();
        for (size_t i = 0; i < FItems.size(); ++i)
            if (FItems[i]) FIndex->emplace(FItems[i], i);
    }

    void Compact() {
        FItems = Items();
        FHoles = 0;
        if (FIndex)
            for (size_t i = 0; i < FItems.size(); ++i) (*FIndex)[FItems[i]] = i;
    }

    std::vector<TComponent*> FItems;  // null where an item was removed
    std::unique_ptr<std::unordered_map<TComponent*, size_t>> FIndex;  // once there are many
    size_t FCount = 0;
    size_t FHoles = 0;
};

}  // namespace quill
