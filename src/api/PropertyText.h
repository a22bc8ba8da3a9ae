#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "framework/TypeInfo.h"

namespace quill {

// The value a design would hold for `prop`, given as text: a string as it
// is, and the text forms of the other kinds ("12", "true", "fsBold,fsItalic",
// a colour's name or number, "" for no component). What the text cannot
// mean raises Exception at `place`; the design reader checks the rest.
nlohmann::json PropertyTextValue(const TPropInfo& prop, std::string_view text, const std::string& place);

}  // namespace quill
