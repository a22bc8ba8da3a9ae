#pragma once

#include <string_view>
#include <unordered_map>

#include "framework/Form.h"

namespace quill {

// A form's components by name, letter case ignored as component names
// compare, so that setting values on a large form does not walk it once
// per value. The keys view the components' own names.
class TComponentIndex {
public:
    explicit TComponentIndex(const TForm& form);
    // The component of that name, the first of a name as FindComponent
    // answers, or null.
    TComponent* Find(std::string_view name) const;

private:
    struct THash {
        size_t operator()(std::string_view name) const;
    };
    struct TEqual {
        bool operator()(std::string_view a, std::string_view b) const;
    };
    std::unordered_map<std::string_view, TComponent*, THash, TEqual> FByName;
};

}  // namespace quill
