#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "framework/Form.h"

namespace quill::studio {

// Every published value of an object, stored or not, as a design writes
// it: nested objects in full, a reference by name or null, an event by its
// handler name. Two of these tell what a change did to the object.
nlohmann::ordered_json AllValues(const TPersistent& object);

// The values of `to` that differ from `from`, nested objects by their
// differing values only.
nlohmann::ordered_json ChangedValues(const nlohmann::ordered_json& from, const nlohmann::ordered_json& to);

// Sets `values` (as ChangedValues gives them) on `object` in published
// order, each as the design reader would; `place` names the object in
// messages. An unbound event cannot be set by name and is left as it is.
void ApplyValues(TForm& form, TPersistent& object, const nlohmann::ordered_json& values, const std::string& place);

}  // namespace quill::studio
