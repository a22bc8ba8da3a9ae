#include "platform/TextMetrics.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <thread>
#include <vector>

namespace quill::platform {
namespace {

const TTextFont kTimes{"Times New Roman", 12, false, false};
const TTextFont kCourier{"Courier New", 12, false, false};
const TTextFont kArial{"Arial", 12, false, false};

// Widths browsers give these texts (unhinted advances), rounded up. Hinted
// advances, rounded per glyph, gave 104 px and 50 px.
TEST(TextMetrics, WidthIsTheUnhintedAdvancesRoundedUpOnce) {
    EXPECT_EQ(TextWidth(kTimes, "Hello Tom illicit"), 108);
    // Every monospaced glyph is 1229/2048 em, 9.6015625 px at 16 px.
    EXPECT_EQ(TextAdvance(kCourier, "a"), 1229 * 16 * kAdvanceUnitsPerPixel / 2048);
    EXPECT_EQ(TextWidth(kCourier, "abcde"), 49);
    EXPECT_EQ(TextWidth(kCourier, "abcdefghij"), 97);
    EXPECT_EQ(TextWidth(kCourier, ""), 0);
}

TEST(TextMetrics, AdvancesOfPartsAddUpToTheWhole) {
    for (const TTextFont& font : {kTimes, kCourier, TTextFont{"Arial", 7, true, true}}) {
        const std::string text = "Mmm illicit 7946 World";
        const int64_t whole = TextAdvance(font, text);
        EXPECT_EQ(TextAdvance(font, "Mmm illicit") + TextAdvance(font, " ") + TextAdvance(font, "7946 World"), whole);
        EXPECT_EQ(TextWidth(font, text), (whole + kAdvanceUnitsPerPixel - 1) / kAdvanceUnitsPerPixel);
    }
}

TEST(TextMetrics, HugeTextsSaturateInsteadOfOverflowing) {
    const TTextFont huge{"Arial", 1000000, false, false};
    EXPECT_EQ(TextWidth(huge, std::string(50000, 'M')), std::numeric_limits<int>::max());
    EXPECT_GT(TextAdvance(huge, std::string(50000, 'M')), int64_t{std::numeric_limits<int>::max()});
    EXPECT_GT(LineHeight(huge), 0);
}

// A line is at least as high as a browser makes it, so that a label's
// row does not grow in the page: 37 px for Arial at 32 px, whose ascent
// and descent alone come to 36.
TEST(TextMetrics, LineHeightCoversTheBrowsersLineBox) {
    EXPECT_EQ(LineHeight({"Arial", 24, false, false}), 37);
    EXPECT_EQ(LineHeight({"Times New Roman", 10, false, false}), 16);
    EXPECT_EQ(LineHeight(kTimes), 19);
}

// Captions are UTF-8. Without kerning, which only narrows text, Chromium
// lays these out in Arial at 16 px as wide as 135.16, 87.34, 138.44,
// 129.88 and 117.39 px; read byte by byte they came to 176, 180 and 215 px.
TEST(TextMetrics, Utf8CaptionsMeasureAsBrowsersLayThemOut) {
    struct Case {
        const char* text;
        int width;
    } cases[] = {{"Caf\u00e9 Z\u00fcrich Stra\u00dfe", 136},
                 {"\u041f\u0440\u0438\u0432\u0435\u0442 \u043c\u0438\u0440", 88},
                 {"\u0395\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac \u03b3\u03c1\u03ac\u03bc\u03bc\u03b1\u03c4\u03b1", 139},
                 // Liberation Sans has no Japanese: measured in the CJK face.
                 {"\u65e5\u672c\u8a9e\u306e\u30c6\u30ad\u30b9\u30c8", 130},
                 {"plain ascii words", 118}};
    for (const Case& c : cases) EXPECT_EQ(TextWidth(kArial, c.text), c.width) << c.text;
}

// A malformed sequence counts as one U+FFFD per maximal subpart, and the
// characters after it count as they would without it.
TEST(TextMetrics, MalformedSequencesMeasureAsReplacementCharacters) {
    const std::string replacement = "\xEF\xBF\xBD";
    struct Case {
        std::string malformed;
        std::string meant;
    } cases[] = {{"a\xE2\x82" "b", "a" + replacement + "b"},
                 {"\xC0\xAF", replacement + replacement},
                 {"\xED\xA0\x80!", replacement + replacement + replacement + "!"},
                 {"end\xF0\x9F\x98", "end" + replacement}};
    for (const TTextFont& font : {kArial, kTimes})
        for (const Case& c : cases) {
            EXPECT_EQ(TextAdvance(font, c.malformed), TextAdvance(font, c.meant)) << c.malformed;
            EXPECT_EQ(LineHeight(font, c.malformed), LineHeight(font, c.meant)) << c.malformed;
        }
    EXPECT_GT(TextAdvance(kArial, "\xFF"), 0);
}

// Lines with characters from a fallback face are as high as Chromium makes
// them: 21 px for Japanese in Arial at 16 px, 64 px at 48 px, where Arial
// alone gives 19 and 55.
TEST(TextMetrics, FallbackFacesMakeALineTaller) {
    const std::string japanese = "\u65e5\u672c\u8a9e abc";
    const TTextFont large{"Arial", 36, false, false};
    EXPECT_EQ(LineHeight(kArial), 19);
    EXPECT_EQ(LineHeight(kArial, "Caf\u00e9 \u0416 abc"), 19);
    EXPECT_EQ(LineHeight(kArial, japanese), 21);
    EXPECT_EQ(LineHeight(large), 55);
    EXPECT_EQ(LineHeight(large, japanese), 64);
    EXPECT_EQ(LineHeight(kArial, ""), 19);
}

// A character no face has is the font's missing-glyph box; it neither
// fails nor upsets the characters around it.
TEST(TextMetrics, CharactersNoFaceHasMeasureAsTheMissingGlyph) {
    const std::string missing = "\U0010FFFD";
    EXPECT_GT(TextAdvance(kTimes, missing), 0);
    EXPECT_EQ(TextAdvance(kTimes, "\U000FFFFD"), TextAdvance(kTimes, missing));
    EXPECT_EQ(TextAdvance(kTimes, "a" + missing + "b"),
              TextAdvance(kTimes, "a") + TextAdvance(kTimes, missing) + TextAdvance(kTimes, "b"));
    EXPECT_EQ(LineHeight(kTimes, missing), LineHeight(kTimes));
}

// More distinct characters than the caches keep: the text still measures
// as the sum of its parts, each measured on its own.
TEST(TextMetrics, TextsWithMoreCharactersThanTheCachesKeepStillAddUp) {
    std::string text;
    std::vector<std::string> parts;
    for (char32_t c = 0x4E00; c < 0x4E00 + 20000; ++c) {
        const std::string part = {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                                  static_cast<char>(0x80 | (c & 0x3F))};
        text += part;
        parts.push_back(part);
    }
    const TTextFont font{"Arial", 9, false, false};
    const int64_t whole = TextAdvance(font, text);
    int64_t sum = 0;
    for (const std::string& part : parts) sum += TextAdvance(font, part);
    EXPECT_EQ(whole, sum);
    EXPECT_EQ(TextAdvance(font, text), whole);
}

// Faces are closed when many fonts have been used; measuring a font again
// after that gives the same result.
TEST(TextMetrics, FontsMeasureAlikeAfterManyOthers) {
    const int before = TextWidth(kTimes, "Hello World");
    const int height = LineHeight(kTimes);
    for (int i = 0; i < 100; ++i)
        TextWidth({"Quill Missing Font " + std::to_string(i), 8 + i % 5, i % 2 == 0, false}, "Hello World");
    EXPECT_EQ(TextWidth(kTimes, "Hello World"), before);
    EXPECT_EQ(LineHeight(kTimes), height);
}

// Each thread keeps what it learnt of a font; threads measuring many fonts
// at once, more than a thread keeps, all get what one thread alone gets.
TEST(TextMetrics, ThreadsMeasuringAtOnceAgreeWithOneThread) {
    std::vector<TTextFont> fonts = {kTimes, kCourier};
    for (int i = 0; i < 6; ++i) fonts.push_back({i % 2 ? "Arial" : "Times New Roman", 7 + i, i % 3 == 0, i % 2 == 0});
    const std::vector<std::string> texts = {"Hello World", "", "~{|}\x7f\xe9 ", std::string(300, 'W') + "i",
                                            "Stra\u00dfe \u65e5\u672c \u0416"};
    std::vector<int64_t> expected;
    std::vector<int> heights;
    std::vector<int> japaneseHeights;
    for (const TTextFont& font : fonts) {
        heights.push_back(LineHeight(font));
        japaneseHeights.push_back(LineHeight(font, texts.back()));
        for (const std::string& text : texts) expected.push_back(TextAdvance(font, text));
    }
    std::vector<int> mismatches(4, 0);
    std::vector<std::thread> threads;
    for (size_t t = 0; t < mismatches.size(); ++t)
        threads.emplace_back([&, t] {
            for (int round = 0; round < 50; ++round)
                for (size_t f = 0; f < fonts.size(); ++f) {
                    // Each thread goes through the fonts in its own order.
                    const size_t which = (f + t * 3 + round) % fonts.size();
                    if (LineHeight(fonts[which]) != heights[which]) ++mismatches[t];
                    if (LineHeight(fonts[which], texts.back()) != japaneseHeights[which]) ++mismatches[t];
                    for (size_t i = 0; i < texts.size(); ++i)
                        if (TextAdvance(fonts[which], texts[i]) != expected[which * texts.size() + i]) ++mismatches[t];
                }
        });
    for (std::thread& thread : threads) thread.join();
    for (int count : mismatches) EXPECT_EQ(count, 0);
}

}  // namespace
}  // namespace quill::platform
