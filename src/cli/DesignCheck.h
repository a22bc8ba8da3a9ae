#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "framework/Form.h"

namespace quill {

// One thing about a design that the page will not show as designed.
struct TDesignFinding {
    std::string Path;  // the object, as the reader names it: "Form.Panel1.Label1"
    std::string Message;
    // The component the finding is about; it belongs to the checked form.
    const TComponent* Component = nullptr;
};

// What a read design will lose or change on its page. `design` is the JSON
// the form was read from; it holds what loading replaces (the stored size
// of an auto-sized label, a cell colour the control's colour overwrites).
// Findings come form first, then each component in design order.
std::vector<TDesignFinding> CheckDesign(const TForm& form, const nlohmann::json& design);

}  // namespace quill
