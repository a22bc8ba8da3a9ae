#include "framework/TypeInfo.h"

#include <map>

namespace quill {

int TEnumInfo::IndexOf(const std::string& member) const {
    for (size_t i = 0; i < Members.size(); ++i)
        if (Members[i] == member) return static_cast<int>(i);
    return -1;
}

bool TPropInfo::IsStored(const TPersistent& object) const {
    if (Default && GetOrd && GetOrd(object) == *Default) return false;
    return !Stored || Stored(object);
}

std::vector<const TPropInfo*> TClassInfo::PublishedProperties() const {
    std::vector<const TPropInfo*> result = Parent ? Parent->PublishedProperties() : std::vector<const TPropInfo*>{};
    for (const TPropInfo& p : Props) {
        // A class may publish again what its parent did; it keeps its place.
        bool replaced = false;
        for (auto& existing : result)
            if (existing->Name == p.Name) existing = &p, replaced = true;
        if (!replaced) result.push_back(&p);
    }
    return result;
}

const TPropInfo* TClassInfo::FindProperty(const std::string& name) const {
    for (const TPropInfo* p : PublishedProperties())
        if (p->Name == name) return p;
    return nullptr;
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

std::map<std::string, const TClassInfo*>& Registry() {
    static std::map<std::string, const TClassInfo*> registry;
    return registry;
}

}  // namespace

void RegisterDesignClass(const TClassInfo& info) { Registry()[info.Name] = &info; }

const TClassInfo* FindDesignClass(const std::string& name) {
    auto it = Registry().find(name);
    return it == Registry().end() ? nullptr : it->second;
}

std::vector<const TClassInfo*> DesignClasses() {
    std::vector<const TClassInfo*> classes;
    for (const auto& [name, info] : Registry()) classes.push_back(info);
    return classes;
}

}  // namespace quill
