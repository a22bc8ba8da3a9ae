#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "framework/Form.h"
#include "framework/TypeInfo.h"

namespace quill {

// Sets `prop` of `target` (a component of `form`, or a nested property
// object of one) to `value`, written as a stored design writes it (see
// WritePropertyValue), with the design reader's conversions and messages.
// `place` names the value in messages ("QuillLabel1.Caption"). A null value
// clears a component reference and unbinds an event. On refusal raises Exception and leaves
// `target` as it was, nested objects included.
void ReadPropertyValue(TForm& form, TPersistent& target, const TPropInfo& prop, const nlohmann::json& value,
                       const std::string& place);

}  // namespace quill
