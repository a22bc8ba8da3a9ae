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
    const std::vector<std::string> texts = {"Hello World", "", "~{|}\x7f\xe9 ", std::string(300, 'W') + "i"};
    std::vector<int64_t> expected;
    std::vector<int> heights;
    for (const TTextFont& font : fonts) {
        heights.push_back(LineHeight(font));
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
                    for (size_t i = 0; i < texts.size(); ++i)
                        if (TextAdvance(fonts[which], texts[i]) != expected[which * texts.size() + i]) ++mismatches[t];
                }
        });
    for (std::thread& thread : threads) thread.join();
    for (int count : mismatches) EXPECT_EQ(count, 0);
}

}  // namespace
}  // namespace quill::platform
