#include "framework/Utf8.h"

namespace quill {

namespace {

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// The bytes a well-formed sequence may have after `lead`: the second byte
// is narrowed for some leads so that no overlong form, surrogate or value
// above U+10FFFF is well formed; later bytes are any continuation byte.
bool SecondByteFits(unsigned char lead, unsigned char b) {
    switch (lead) {
    case 0xE0:
        return b >= 0xA0 && b <= 0xBF;
    case 0xED:
        return b >= 0x80 && b <= 0x9F;
    case 0xF0:
        return b >= 0x90 && b <= 0xBF;
    case 0xF4:
        return b >= 0x80 && b <= 0x8F;
    default:
        return IsContinuation(b);
    }
}

// How many bytes the sequence `lead` starts has, or 0 for a byte that
// starts none (continuation bytes, C0, C1 and F5 to FF).
int SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead < 0xC2) return 0;
    if (lead < 0xE0) return 2;
    if (lead < 0xF0) return 3;
    if (lead < 0xF5) return 4;
    return 0;
}

}  // namespace

char32_t NextCodePoint(std::string_view text, size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos++]);
    const int length = SequenceLength(lead);
    if (length == 1) return lead;
    if (length == 0) return kReplacementCharacter;
    char32_t c = lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        if (pos == text.size()) return kReplacementCharacter;
        const auto b = static_cast<unsigned char>(text[pos]);
        if (i == 1 ? !SecondByteFits(lead, b) : !IsContinuation(b)) return kReplacementCharacter;
        c = (c << 6) | (b & 0x3F);
        ++pos;
    }
    return c;
}

}  // namespace quill
