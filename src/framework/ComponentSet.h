#pragma once

#include <cstddef>
#include <unordered_map>
#include <vector>

namespace quill {

class TComponent;

// Components in the order they were added, with constant-time lookup and
// removal: a component that many others watch or list costs linear time
// overall, not a scan per registration.
class TComponentSet {
public:
    bool Empty() const { return FIndex.empty(); }
    bool Contains(TComponent* item) const { return FIndex.count(item) != 0; }

    // False when the item was there already.
    bool Add(TComponent* item) {
        if (!FIndex.emplace(item, FItems.size()).second) return false;
        FItems.push_back(item);
        return true;
    }

    void Remove(TComponent* item) {
        auto it = FIndex.find(item);
        if (it == FIndex.end()) return;
        FItems[it->second] = nullptr;
        FIndex.erase(it);
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
        FIndex.erase(last);
        return last;
    }

    // The items in adding order, as a copy a caller may walk while the set changes.
    std::vector<TComponent*> Items() const {
        std::vector<TComponent*> items;
        items.reserve(FIndex.size());
        for (TComponent* item : FItems)
            if (item) items.push_back(item);
        return items;
    }

    void Clear() {
        FItems.clear();
        FIndex.clear();
        FHoles = 0;
    }

private:
    void Compact() {
        std::vector<TComponent*> items = Items();
        FItems = std::move(items);
        for (size_t i = 0; i < FItems.size(); ++i) FIndex[FItems[i]] = i;
        FHoles = 0;
    }

    std::vector<TComponent*> FItems;  // null where an item was removed
    std::unordered_map<TComponent*, size_t> FIndex;
    size_t FHoles = 0;
};

}  // namespace quill
