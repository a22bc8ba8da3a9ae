#include "framework/Label.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "platform/TextMetrics.h"

namespace quill {
namespace {

const platform::TTextFont kArial{"Arial", 10, false, false};

// Greedy breaking as a person would do it: add the next word while the
// line, measured whole, still fits.
int ReferenceLineCount(const std::string& line, int limit) {
    int lines = 1;
    std::string current;
    size_t pos = 0;
    while (pos <= line.size()) {
        size_t end = std::min(line.find(' ', pos), line.size());
        std::string word = line.substr(pos, end - pos);
        std::string candidate = current.empty() ? word : current + " " + word;
        if (!current.empty() && platform::TextWidth(kArial, candidate) > limit) {
            ++lines;
            current = word;
        } else {
            current = candidate;
        }
        pos = end + 1;
    }
    return lines;
}

TEST(Label, WordWrapBreaksLikeMeasuringEachLineWhole) {
    const char* captions[] = {
        "one two three four five six",
        "Mmm illicit 7946 World Hello Tom illicit",
        "  leading blanks and  double  blanks ",
        "averyveryverylongwordthatfitsnowhere x y",
        "",
    };
    for (const char* caption : captions) {
        for (int width = 1; width < 260; width += 3) {
            TLabel label(nullptr);
            label.Font().SetName("Arial");
            label.Font().SetSize(10);
            label.SetWordWrap(true);
            label.SetAutoSize(false);
            label.ChangeBounds(0, 0, width, 10);
            label.SetCaption(caption);
            int w = width, h = 0;
            label.QueryAutoSize(w, h);
            EXPECT_EQ(h, ReferenceLineCount(caption, width) * platform::LineHeight(kArial))
                << '"' << caption << "\" at " << width;
            EXPECT_EQ(w, width);
        }
    }
}

TEST(Label, EveryLineBreakStartsALine) {
    struct {
        std::string caption;
        int lines;
    } cases[] = {
        {"", 1}, {"a", 1}, {"a\r\nb", 2}, {"a\rb\nc", 3}, {"\r\n\r\n", 3}, {"a\n\rb", 3}, {std::string(100000, '\n'), 100001},
    };
    for (const auto& c : cases) {
        TLabel label(nullptr);
        label.Font().SetName("Arial");
        label.Font().SetSize(10);
        label.SetCaption(c.caption);
        EXPECT_EQ(label.Height(), c.lines * platform::LineHeight(kArial)) << c.lines;
    }
}

TEST(Label, SizesOfHugeCaptionsStopAtTheLargestInt) {
    TLabel wide(nullptr);
    wide.Font().SetSize(1000000);
    wide.SetCaption(std::string(50000, 'M'));
    EXPECT_EQ(wide.Width(), std::numeric_limits<int>::max());

    TLabel tall(nullptr);
    tall.Font().SetSize(1000000);
    std::string caption;
    for (int i = 0; i < 30000; ++i) caption += "x\n";
    tall.SetCaption(caption);
    EXPECT_EQ(tall.Height(), std::numeric_limits<int>::max());
}

}  // namespace
}  // namespace quill

namespace quill {
namespace {

// An empty caption fits one blank in the label's font, whether the size
// comes from measuring or from the size kept for the default font.
TEST(LabelFit, EmptyCaptionFitsOneBlankInAnyFont) {
    struct Case {
        const char* name;
        int size;
        bool bold;
    } cases[] = {{nullptr, 0, false}, {"Arial", 10, false}, {"Tahoma", 8, true}, {"Tahoma", 9, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name ? c.name : "default font");
        TLabel label(nullptr);
        label.SetCaption("wide text first");
        if (c.name) {
            label.Font().SetName(c.name);
            label.Font().SetSize(c.size);
            if (c.bold) label.Font().SetStyle(TFontStyles{fsBold});
        }
        label.SetCaption("");
        EXPECT_EQ(label.Width(), label.LineWidth(" "));
        EXPECT_EQ(label.Height(), label.LineHeight());
    }
    TLabel fresh(nullptr);
    EXPECT_EQ(fresh.Width(), fresh.LineWidth(" "));
    EXPECT_EQ(fresh.Height(), fresh.LineHeight());
}

}  // namespace
}  // namespace quill
