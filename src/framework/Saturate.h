#pragma once

#include <cstdint>
#include <limits>

namespace quill {

// Positions and sizes are 32-bit. Sums of them are taken in 64 bits and
// clamped to the 32-bit range, so that values near the limits stop at the
// limit instead of wrapping around to the other sign.
constexpr int ClampToInt(int64_t value) {
    constexpr int64_t low = std::numeric_limits<int>::min();
    constexpr int64_t high = std::numeric_limits<int>::max();
    return static_cast<int>(value < low ? low : value > high ? high : value);
}

constexpr int SaturatedAdd(int64_t a, int64_t b) { return ClampToInt(a + b); }
constexpr int SaturatedSub(int64_t a, int64_t b) { return ClampToInt(a - b); }

}  // namespace quill
