#pragma once

#include "framework/TypeInfo.h"

namespace quill {

const TEnumInfo& AlignType();
const TEnumInfo& AlignmentType();
const TEnumInfo& TextLayoutType();
const TEnumInfo& BevelCutType();
const TEnumInfo& FontStyleType();
const TEnumInfo& ToolButtonStyleType();
const TEnumInfo& EdgeBorderType();

// Makes the framework's own designable classes known by name.
void RegisterStandardClasses();

}  // namespace quill
