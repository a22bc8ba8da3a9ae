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

TComponentIndex::TComponentIndex(const TForm& form) {
    FByName.reserve(static_cast<size_t>(form.ComponentCount()));
    for (int i = 0; i < form.ComponentCount(); ++i)
        if (TComponent* c = form.Components(i); !c->Name().empty()) FByName.emplace(c->Name(), c);
}

TComponent* TComponentIndex::Find(std::string_view name) const {
    auto it = FByName.find(name);
    return it == FByName.end() ? nullptr : it->second;
}

}  // namespace quill
