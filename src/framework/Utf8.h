// Designs hold UTF-8. Text is read as code points wherever characters
// count: measuring, and handing text to the desktop or to Windows.
#pragma once

#include <cstddef>
#include <string_view>

namespace quill {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// The code point that starts at `pos`, which moves past it. A malformed
// sequence (a stray continuation byte, an overlong form, a surrogate, a
// value above U+10FFFF, a sequence cut short) reads as U+FFFD and `pos`
// moves past its maximal subpart: the longest start of a well-formed
// sequence there, and always at least one byte. So the rest of the text is
// read as it would be without the fault, and browsers show as many U+FFFD
// as this counts. `pos` must be below text.size().
char32_t NextCodePoint(std::string_view text, size_t& pos);

}  // namespace quill
