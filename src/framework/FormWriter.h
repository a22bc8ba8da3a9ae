#pragma once

#include <string>

#include "framework/Form.h"

namespace quill {

// The stored design of a form: only stored properties, children in the
// order the form owns them. Reading it back gives an equal form.
std::string WriteFormDesign(const TForm& form);

// Writes the design to a file; raises Exception on failure.
void SaveFormDesign(const TForm& form, const std::string& fileName);

}  // namespace quill
