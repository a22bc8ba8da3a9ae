#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "framework/Form.h"
#include "framework/TypeInfo.h"

namespace quill {

// Sets one published property of `target` (a component of `form`, or a
// nested property object of one) from a value as a stored design holds it,
// with the design reader's conversions and messages; `place` starts each
// message as the reader's "file: object path" does. A reference names a
// component of `form`, an event one of the form's published handlers.
// Raises Exception and leaves the property as it was when the reader would
// refuse the value.
void ReadPropertyValue(TForm& form, TPersistent& target, const TPropInfo& prop, const nlohmann::json& value,
                       const std::string& place);

}  // namespace quill
