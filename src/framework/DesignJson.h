#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace quill {

// Parses the JSON text of a stored design. Besides invalid JSON it refuses
// what the JSON library would accept or abort on: a key given twice in one
// object, a number beyond the floating-point range, and text longer or
// nested deeper than the design limits (DesignLimits.h). Every refusal is
// one Exception line that starts with `fileName`; nothing else escapes.
nlohmann::json ParseDesignJson(const std::string& text, const std::string& fileName);

}  // namespace quill
