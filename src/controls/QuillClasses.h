#pragma once

namespace quill {

// Makes every designable class of the generation core known by name:
// the framework's own, the page generator and header, the page controls.
void RegisterQuillClasses();

}  // namespace quill
