#include "studio/ComponentNames.h"

#include "framework/TextHelpers.h"

namespace quill::studio {

TNameAllocator::TNameAllocator(const TForm& form) {
    FTaken.insert(LowerCase(form.Name()));
    for (int i = 0; i < form.ComponentCount(); ++i) FTaken.insert(LowerCase(form.Components(i)->Name()));
}

std::string TNameAllocator::Fresh(const std::string& className) {
    const std::string base = className.size() > 1 && className[0] == 'T' ? className.substr(1) : className;
    // Numbers below the last one handed out for this base are taken.
    int& next = FNextNumber.try_emplace(LowerCase(base), 1).first->second;
    for (;; ++next) {
        std::string name = base + std::to_string(next);
        if (Take(name)) return name;
    }
}

bool TNameAllocator::Take(const std::string& name) { return FTaken.insert(LowerCase(name)).second; }

}  // namespace quill::studio
