#pragma once

#include <string>

namespace quill {

class TDesignCatalog;

// A JSON Schema (draft 2020-12) of stored form designs, generated from the
// classes a design may name: every class with its published properties and
// their types, the enumeration members, the colour names and the nested
// property objects. References and events are names, so strings.
std::string DesignSchema(const TDesignCatalog& catalog);

}  // namespace quill
