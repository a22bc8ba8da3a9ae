#pragma once

#include <cstddef>

namespace quill {

// Bounds the design reader enforces, far beyond any real form, so that a
// hostile or broken design ends in a clear error instead of exhausting the
// stack, the memory or the clock. docs/form-design.md lists them.
struct TDesignLimits {
    static constexpr size_t kMaxFileBytes = 16 * 1024 * 1024;
    // Levels of components below the form (a form's child is level 1).
    static constexpr size_t kMaxNesting = 256;
    // JSON nesting that a design at kMaxNesting needs: an object and its
    // "children" array per level, plus properties, a nested property
    // object and a set array.
    static constexpr size_t kMaxJsonDepth = 2 * kMaxNesting + 8;
    // Components in one design, the form included.
    static constexpr size_t kMaxComponents = 100000;
    static constexpr size_t kMaxStringBytes = 1024 * 1024;
};

}  // namespace quill
