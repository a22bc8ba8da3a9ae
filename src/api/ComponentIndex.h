#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

#include "framework/Form.h"

namespace quill {

// A form's components by name, letter case ignored as component names
// compare, so that setting values on a large form does not walk it once
// per value. It keeps positions in the form's list, not pointers, and
// checks each answer against the form, so a form changed since (components
// renamed, freed or added) only makes it read the form again.
class TComponentIndex {
public:
    // The form's component of that name, or null.
    TComponent* Find(const TForm& form, std::string_view name);

private:
    void Build(const TForm& form);
    static TComponent* At(const TForm& form, int position, std::string_view name);

    struct THash {
        using is_transparent = void;
        size_t operator()(std::string_view name) const;
    };
    struct TEqual {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };
    std::unordered_map<std::string, int, THash, TEqual> FPositions;
    bool FBuilt = false;
};

}  // namespace quill
