#include "framework/Utf8.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quill {
namespace {

std::u32string Decode(std::string_view text) {
    std::u32string result;
    for (size_t pos = 0; pos < text.size();) result += NextCodePoint(text, pos);
    return result;
}

std::string Encode(char32_t c) {
    if (c < 0x80) return std::string(1, static_cast<char>(c));
    if (c < 0x800) return {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
    if (c < 0x10000)
        return {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                static_cast<char>(0x80 | (c & 0x3F))};
    return {static_cast<char>(0xF0 | (c >> 18)), static_cast<char>(0x80 | ((c >> 12) & 0x3F)),
            static_cast<char>(0x80 | ((c >> 6) & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
}

constexpr char32_t R = kReplacementCharacter;

// Each malformed sequence gives one U+FFFD per maximal subpart, and the
// characters after it are read as if it were not there.
TEST(Utf8, DecodesWellFormedTextAndReplacesEachMaximalSubpart) {
    struct Case {
        const char* what;
        std::string bytes;
        std::u32string expected;
    } cases[] = {
        {"ascii", "Hello", U"Hello"},
        {"two bytes", "Caf\xC3\xA9", U"Caf\u00E9"},
        {"three bytes", "\xE2\x82\xAC 5", U"\u20AC 5"},
        {"four bytes", "\xF0\x9F\x98\x80", U"\U0001F600"},
        {"smallest of each length", std::string("\x00\xC2\x80\xE0\xA0\x80\xF0\x90\x80\x80", 10),
         std::u32string(U"\0\u0080\u0800\U00010000", 4)},
        {"largest of each length", "\x7F\xDF\xBF\xEF\xBF\xBF\xF4\x8F\xBF\xBF", U"\u007F\u07FF\uFFFF\U0010FFFF"},
        {"around the surrogates", "\xED\x9F\xBF\xEE\x80\x80", U"\uD7FF\uE000"},
        {"stray continuation bytes", "a\x80\xBF" "b", {U'a', R, R, U'b'}},
        {"overlong two bytes", "\xC0\xAF\xC1\xBF", {R, R, R, R}},
        {"overlong three bytes", "\xE0\x80\xAF", {R, R, R}},
        {"overlong four bytes", "\xF0\x80\x80\xAF", {R, R, R, R}},
        {"surrogate", "\xED\xA0\x80" "x", {R, R, R, U'x'}},
        {"above U+10FFFF", "\xF4\x90\x80\x80", {R, R, R, R}},
        {"lead bytes that start nothing", "\xF5\x80\xFE\xFF", {R, R, R, R}},
        {"cut short before a character", "\xE2\x82" "A", {R, U'A'}},
        {"cut short by a new lead", "\xF0\x9F\x98\xC3\xA9", {R, U'\u00E9'}},
        {"cut short at the end", "ok\xF0\x9F\x98", {U'o', U'k', R}},
        {"lone lead at the end", "\xC3", {R}},
        {"second byte out of range", "\xE2\x28\xA1", {R, U'(', R}},
        {"mixed", "a\xF1\x80\x80\xE1\x80\xC2" "b\x80" "c\x80\xBF" "d",
         {U'a', R, R, R, U'b', R, U'c', R, R, U'd'}},
    };
    for (const Case& c : cases) EXPECT_EQ(Decode(c.bytes), c.expected) << c.what;
}

TEST(Utf8, EveryScalarValueReadsBackAsItself) {
    int wrong = 0;
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if (c == 0xD800) c = 0xE000;
        const std::string bytes = Encode(c);
        size_t pos = 0;
        if (NextCodePoint(bytes, pos) != c || pos != bytes.size()) ++wrong;
    }
    EXPECT_EQ(wrong, 0);
}

// Never past the end, and always forward: every byte string of up to three
// bytes, each followed by an ASCII character that must come through.
TEST(Utf8, ShortByteStringsNeverReadPastTheEndOrSwallowWhatFollows) {
    std::vector<unsigned char> interesting = {0x00, 0x41, 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF, 0xC0, 0xC1,
                                              0xC2, 0xDF, 0xE0, 0xE1, 0xED, 0xEF, 0xF0, 0xF1, 0xF4, 0xF5, 0xFF};
    for (unsigned char a : interesting)
        for (unsigned char b : interesting)
            for (unsigned char c : interesting) {
                const std::string bytes = {static_cast<char>(a), static_cast<char>(b), static_cast<char>(c), 'z'};
                const std::u32string decoded = Decode(bytes);
                ASSERT_FALSE(decoded.empty());
                EXPECT_EQ(decoded.back(), U'z') << int(a) << " " << int(b) << " " << int(c);
            }
}

}  // namespace
}  // namespace quill
