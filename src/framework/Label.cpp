#include "framework/Label.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "framework/Saturate.h"
#include "platform/TextMetrics.h"

namespace quill {

namespace {

platform::TTextFont TextFontOf(const TFont& font) {
    return {font.Name(), font.Size(), font.Style().Contains(fsBold), font.Style().Contains(fsItalic)};
}

// Calls visit with each line of the text, as views into it: CR LF, CR and
// LF each end a line. Nothing is copied, however many lines there are.
template <class Visit>
void ForEachLine(std::string_view text, Visit visit) {
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        visit(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    visit(text.substr(start));
}

// Sums of advances stop at the largest int64_t; they may exceed the int range.
int64_t AddAdvances(int64_t a, int64_t b) {
    return a > std::numeric_limits<int64_t>::max() - b ? std::numeric_limits<int64_t>::max() : a + b;
}

// Greedy breaking at blanks; a word wider than the limit stands alone.
// Calls visit with each line it makes, as views into `line`. Each word is
// measured once: a line's advance is the sum of its words' and blanks'
// advances, so the work stays linear in the length of the line.
template <class Visit>
void ForEachWrappedLine(const platform::TTextFont& font, std::string_view line, int limit, Visit visit) {
    const int64_t limitAdvance = int64_t{limit} * platform::kAdvanceUnitsPerPixel;
    const int64_t blank = platform::TextAdvance(font, " ");
    bool empty = true;  // the current line holds nothing yet
    int64_t current = 0;
    size_t start = 0;  // where the current line begins
    size_t pos = 0;
    while (pos <= line.size() && !line.empty()) {
        size_t end = std::min(line.find(' ', pos), line.size());
        const int64_t word = platform::TextAdvance(font, line.substr(pos, end - pos));
        const int64_t candidate = empty ? word : AddAdvances(AddAdvances(current, blank), word);
        if (!empty && candidate > limitAdvance) {
            visit(line.substr(start, pos - 1 - start));
            start = pos;
            current = word;
            empty = end == pos;
        } else {
            current = candidate;
            empty = empty && end == pos;
        }
        pos = end + 1;
    }
    visit(line.substr(start));
}

int64_t CountWrappedLines(const platform::TTextFont& font, std::string_view line, int limit) {
    int64_t lines = 0;
    ForEachWrappedLine(font, line, limit, [&](std::string_view) { ++lines; });
    return lines;
}

bool IsDefaultFont(const TFont& font) {
    static const TFont defaults;
    return font.SameValues(defaults);
}

// A label without a caption fits one blank. New labels take the default
// font, measured once, and then their parent's: each thread keeps the
// blank of the last other font it measured one in.
struct TBlankSize {
    std::string Name;
    int Size = 0;
    bool Bold = false;
    bool Italic = false;
    bool Known = false;
    int Width = 0;
    int Height = 0;
};

const TBlankSize& BlankSize(const TFont& font) {
    static const TBlankSize defaults = [] {
        const TFont font;
        platform::TTextFont measured = TextFontOf(font);
        return TBlankSize{font.Name(), font.Size(), false, false, true, platform::TextWidth(measured, " "),
                          platform::LineHeight(measured)};
    }();
    if (IsDefaultFont(font)) return defaults;
    thread_local TBlankSize last;
    const bool bold = font.Style().Contains(fsBold);
    const bool italic = font.Style().Contains(fsItalic);
    if (!last.Known || last.Size != font.Size() || last.Bold != bold || last.Italic != italic ||
        last.Name != font.Name()) {
        platform::TTextFont measured = TextFontOf(font);
        last = TBlankSize{font.Name(), font.Size(), bold, italic, true, platform::TextWidth(measured, " "),
                          platform::LineHeight(measured)};
    }
    return last;
}

}  // namespace

TLabel::TLabel(TComponent* owner) : TControl(owner) {
    ChangeBounds(0, 0, 65, 17);
    SetAutoSize(true);
}

void TLabel::SetWordWrap(bool value) {
    if (value == FWordWrap) return;
    FWordWrap = value;
    NotifyView(TControlChange::State);
    FitSize();
}

std::vector<std::string> TLabel::TextLines() const {
    std::vector<std::string> lines;
    platform::TTextFont font = TextFontOf(Font());
    ForEachLine(Caption(), [&](std::string_view line) {
        if (FWordWrap)
            ForEachWrappedLine(font, line, Width(), [&](std::string_view part) { lines.emplace_back(part); });
        else
            lines.emplace_back(line);
    });
    return lines;
}

int TLabel::LineWidth(const std::string& line) const { return platform::TextWidth(TextFontOf(Font()), line); }

int TLabel::LineHeight() const { return platform::LineHeight(TextFontOf(Font())); }

int TLabel::LineHeight(const std::string& line) const { return platform::LineHeight(TextFontOf(Font()), line); }

bool TLabel::QueryAutoSize(int& width, int& height) {
    if (Caption().empty() && !FWordWrap) {
        const TBlankSize& blank = BlankSize(Font());
        width = blank.Width;
        height = blank.Height;
        return true;
    }
    platform::TTextFont font = TextFontOf(Font());
    // An empty caption measures as one blank, so the label keeps one line.
    std::string_view text = Caption().empty() ? std::string_view(" ") : std::string_view(Caption());
    // Lines are as high as their font, or higher where characters in a
    // fallback face make the browser's line taller.
    const int plain = platform::LineHeight(font);
    int64_t total = 0;
    int widest = 0;
    ForEachLine(text, [&](std::string_view line) {
        if (FWordWrap) {
            // No part of a line is taller than the whole line.
            const int whole = platform::LineHeight(font, line);
            if (whole == plain)
                total += whole * CountWrappedLines(font, line, Width());
            else
                ForEachWrappedLine(font, line, Width(),
                                   [&](std::string_view part) { total += platform::LineHeight(font, part); });
        } else {
            if (line.empty()) {
                total += plain;
                return;
            }
            total += platform::LineHeight(font, line);
            widest = std::max(widest, platform::TextWidth(font, line));
        }
    });
    width = FWordWrap ? Width() : widest;
    height = static_cast<int>(std::min<int64_t>(total, std::numeric_limits<int>::max()));
    return true;
}

void TLabel::FitSize() {
    if (!AutoSize() || Loading()) return;
    int width = Width();
    int height = Height();
    QueryAutoSize(width, height);
    // A right-justified label keeps its right edge where it was.
    int left = FAlignment == taRightJustify ? ClampToInt(int64_t{Left()} + Width() - width) : Left();
    ChangeBounds(left, Top(), width, height);
}

void TLabel::AfterLoad() {
    TControl::AfterLoad();
    FitSize();
}

}  // namespace quill
