#include "framework/TypeInfo.h"

#include <algorithm>
#include <map>

namespace quill {

int TEnumInfo::IndexOf(std::string_view member) const {
    for (size_t i = 0; i < Members.size(); ++i)
        if (Members[i] == member) return static_cast<int>(i);
    return -1;
}

bool TPropInfo::IsStored(const TPersistent& object) const {
    if (Default && GetOrd && GetOrd(object) == *Default) return false;
    return !Stored || Stored(object);
}

const TPropertyIndex& TClassInfo::Index() const {
    std::call_once(FIndex.Once, [this] {
        std::vector<const TPropInfo*>& all = FIndex.All;
        if (Parent) all = Parent->PublishedProperties();
        for (const TPropInfo& p : Props) {
            // A class may publish again what its parent did; it keeps its place.
            auto same = std::find_if(all.begin(), all.end(), [&](const TPropInfo* e) { return e->Name == p.Name; });
            if (same != all.end())
                *same = &p;
            else
                all.push_back(&p);
        }
        for (size_t i = 0; i < all.size(); ++i) FIndex.ByName.emplace(all[i]->Name, i);
    });
    return FIndex;
}

const std::vector<const TPropInfo*>& TClassInfo::PublishedProperties() const { return Index().All; }

int TClassInfo::PropertyPosition(std::string_view name) const {
    const auto& byName = Index().ByName;
    auto it = byName.find(name);
    return it == byName.end() ? -1 : static_cast<int>(it->second);
}

const TPropInfo* TClassInfo::FindProperty(std::string_view name) const {
    int position = PropertyPosition(name);
    return position < 0 ? nullptr : Index().All[static_cast<size_t>(position)];
}

const TMethodInfo* TClassInfo::FindMethod(const std::string& name) const {
    for (const TClassInfo* c = this; c; c = c->Parent)
        for (const TMethodInfo& m : c->Methods)
            if (m.Name == name) return &m;
    return nullptr;
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
    for (const TClassInfo* c = this; c; c = c->Parent)
        if (c == &other) return true;
    return false;
}

namespace {

std::map<std::string, const TClassInfo*, std::less<>>& Registry() {
    static std::map<std::string, const TClassInfo*, std::less<>> registry;
    return registry;
}

}  // namespace

void RegisterDesignClass(const TClassInfo& info) { Registry()[info.Name] = &info; }

const TClassInfo* FindDesignClass(std::string_view name) {
    auto it = Registry().find(name);
    return it == Registry().end() ? nullptr : it->second;
}

std::vector<const TClassInfo*> DesignClasses() {
    std::vector<const TClassInfo*> classes;
    for (const auto& [name, info] : Registry()) classes.push_back(info);
    return classes;
}

}  // namespace quill
