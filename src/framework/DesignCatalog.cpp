#include "framework/DesignCatalog.h"

#include <algorithm>

#include "framework/Form.h"

namespace quill {

TDesignCatalog::TDesignCatalog() {
    for (const TClassInfo* info : DesignClasses()) {
        if (!info->Create) continue;
        FSamples.emplace_back(info->Create(nullptr));
        FClasses.push_back({info, FSamples.back().get(), true});
    }
    // Nested classes come after every component class, in the order found.
    const size_t components = FClasses.size();
    for (size_t i = 0; i < components; ++i) AddNested(*FSamples[i]);
    for (const TCatalogClass& c : FClasses)
        for (const TPropInfo* prop : c.Info->PublishedProperties()) AddEnum(prop->Enum);
    std::sort(FEnums.begin(), FEnums.end(), [](const TEnumInfo* a, const TEnumInfo* b) { return a->Name < b->Name; });
}

TDesignCatalog::~TDesignCatalog() = default;

void TDesignCatalog::AddNested(TPersistent& sample) {
    for (const TPropInfo* prop : sample.PublishedInfo()->PublishedProperties()) {
        if (prop->Kind != TPropKind::Object) continue;
        TPersistent* nested = prop->NestedObject(sample);
        if (!nested->PublishedInfo() || Find(nested->PublishedInfo()->Name)) continue;
        FClasses.push_back({nested->PublishedInfo(), nested, false});
        AddNested(*nested);
    }
}

void TDesignCatalog::AddEnum(const TEnumInfo* type) {
    if (type && std::find(FEnums.begin(), FEnums.end(), type) == FEnums.end()) FEnums.push_back(type);
}

const TCatalogClass* TDesignCatalog::Find(const std::string& name) const {
    for (const TCatalogClass& c : FClasses)
        if (c.Info->Name == name) return &c;
    return nullptr;
}

std::vector<std::string> TDesignCatalog::ClassNames() const {
    std::vector<std::string> names;
    for (const TCatalogClass& c : FClasses) names.push_back(c.Info->Name);
    return names;
}

bool IsFormClass(const TClassInfo& info) { return info.InheritsFrom(TForm::StaticInfo()); }

}  // namespace quill
