#include "api/ComponentIndex.h"

#include "framework/TextHelpers.h"

namespace quill {

namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

size_t TComponentIndex::THash::operator()(std::string_view name) const {
    size_t hash = 14695981039346656037ull;
    for (char c : name) hash = (hash ^ static_cast<unsigned char>(LowerAscii(c))) * 1099511628211ull;
    return hash;
}

bool TComponentIndex::TEqual::operator()(std::string_view a, std::string_view b) const { return SameText(a, b); }

void TComponentIndex::Build(const TForm& form) {
    FPositions.clear();
    FPositions.reserve(static_cast<size_t>(form.ComponentCount()));
    // The first of a name wins, as in FindComponent.
    for (int i = 0; i < form.ComponentCount(); ++i)
        if (const std::string& name = form.Components(i)->Name(); !name.empty()) FPositions.emplace(name, i);
    FBuilt = true;
}

TComponent* TComponentIndex::At(const TForm& form, int position, std::string_view name) {
    if (position >= form.ComponentCount()) return nullptr;
    TComponent* component = form.Components(position);
    return SameText(component->Name(), name) ? component : nullptr;
}

TComponent* TComponentIndex::Find(const TForm& form, std::string_view name) {
    if (FBuilt) {
        auto it = FPositions.find(name);
        if (it != FPositions.end())
            if (TComponent* found = At(form, it->second, name)) return found;
    }
    // Not known, or the form changed: read it again.
    Build(form);
    auto it = FPositions.find(name);
    return it == FPositions.end() ? nullptr : At(form, it->second, name);
}

}  // namespace quill
