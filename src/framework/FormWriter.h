#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "framework/Form.h"
#include "framework/TypeInfo.h"

namespace quill {

// The stored design of a form: only stored properties, children in the
// order the form owns them. Reading it back gives an equal form.
// `schema`, when not empty, is written first as the "$schema" key.
std::string WriteFormDesign(const TForm& form, const std::string& schema = "");

// One property's value as the design stores it (colours by name where
// they have one, sets as member arrays, nested objects by their stored
// properties).
nlohmann::ordered_json WritePropertyValue(const TPersistent& object, const TPropInfo& prop);

// Writes the design to a file; raises Exception on failure.
void SaveFormDesign(const TForm& form, const std::string& fileName);

}  // namespace quill
