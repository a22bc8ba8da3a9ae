#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/Component.h"
#include "framework/TypeInfo.h"

namespace quill {

// One class a design can hold: a component class designs name, or the class
// of a nested property object (a control's font or cell format). `Sample`
// is a new object of the class, which shows the values after creation.
struct TCatalogClass {
    const TClassInfo* Info = nullptr;
    const TPersistent* Sample = nullptr;
    bool Component = false;
};

// Everything a design may name, taken from the class registry: the
// creatable classes (sorted by name), then the nested property classes
// they publish, then the enumerations their properties use.
class TDesignCatalog {
public:
    TDesignCatalog();
    ~TDesignCatalog();
    TDesignCatalog(const TDesignCatalog&) = delete;
    TDesignCatalog& operator=(const TDesignCatalog&) = delete;

    const std::vector<TCatalogClass>& Classes() const { return FClasses; }
    const TCatalogClass* Find(const std::string& name) const;
    std::vector<std::string> ClassNames() const;
    const std::vector<const TEnumInfo*>& Enums() const { return FEnums; }

private:
    void AddNested(TPersistent& sample);
    void AddEnum(const TEnumInfo* type);

    std::vector<std::unique_ptr<TComponent>> FSamples;
    std::vector<TCatalogClass> FClasses;
    std::vector<const TEnumInfo*> FEnums;
};

// A form class (the root of a design) rather than a component inside one.
bool IsFormClass(const TClassInfo& info);

}  // namespace quill
