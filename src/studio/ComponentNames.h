#pragma once

#include <string>
#include <unordered_map>
#include <unordered_set>

#include "framework/Form.h"

namespace quill::studio {

// Hands out names no component of the form has (letter case ignored),
// each taken as it is handed out, so that one paste of many components
// gives each its own. Made once per change: it reads the form's names once.
class TNameAllocator {
public:
    explicit TNameAllocator(const TForm& form);

    // The class name without its "T" and the lowest free number from 1:
    // QuillLabel1, QuillLabel2, ...
    std::string Fresh(const std::string& className);
    // Takes `name` when it is free and answers whether it was.
    bool Take(const std::string& name);

private:
    std::unordered_set<std::string> FTaken;             // lower case
    std::unordered_map<std::string, int> FNextNumber;  // by base name, lower case
};

}  // namespace quill::studio
