#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "framework/Form.h"

namespace quill {

// What a finding means. PageChange: the page drops content or shows it
// otherwise than designed, so rendering reports it too. Advice: the page
// is as the designer sees it, but the design says more than it does (a
// stored size that loading replaces, a control hidden on purpose).
enum class TFindingKind { PageChange, Advice };

// One thing about a design that the page will not show as designed.
struct TDesignFinding {
    std::string Path;  // the object, as the reader names it: "Form.Panel1.Label1"
    std::string Message;
    TFindingKind Kind = TFindingKind::PageChange;
    // The component the finding is about; it belongs to the checked form.
    const TComponent* Component = nullptr;
};

// What a read design will lose or change on its page. `design` is the JSON
// the form was read from; it holds what loading replaces (the stored size
// of an auto-sized label, a cell colour the control's colour overwrites).
// Findings come form first, then each component in design order.
std::vector<TDesignFinding> CheckDesign(const TForm& form, const nlohmann::json& design);

}  // namespace quill
