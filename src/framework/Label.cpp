#include "framework/Label.h"

#include <algorithm>
#include <vector>

#include "platform/TextMetrics.h"

namespace quill {

namespace {

platform::TTextFont TextFontOf(const TFont& font) {
    return {font.Name(), font.Size(), font.Style().Contains(fsBold), font.Style().Contains(fsItalic)};
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines(1);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        if (text[i] == '\r' || text[i] == '\n')
            lines.emplace_back();
        else
            lines.back() += text[i];
    }
    return lines;
}

// Greedy breaking at blanks; a word wider than the limit stands alone.
std::vector<std::string> WrapLine(const platform::TTextFont& font, const std::string& line, int limit) {
    std::vector<std::string> result;
    std::string current;
    size_t pos = 0;
    while (pos <= line.size()) {
        size_t end = line.find(' ', pos);
        if (end == std::string::npos) end = line.size();
        std::string word = line.substr(pos, end - pos);
        std::string candidate = current.empty() ? word : current + " " + word;
        if (!current.empty() && platform::TextWidth(font, candidate) > limit) {
            result.push_back(current);
            current = word;
        } else {
            current = candidate;
        }
        pos = end + 1;
    }
    result.push_back(current);
    return result;
}

}  // namespace

TLabel::TLabel(TComponent* owner) : TControl(owner) {
    ChangeBounds(0, 0, 65, 17);
    SetAutoSize(true);
}

void TLabel::SetWordWrap(bool value) {
    if (value == FWordWrap) return;
    FWordWrap = value;
    FitSize();
}

bool TLabel::QueryAutoSize(int& width, int& height) {
    platform::TTextFont font = TextFontOf(Font());
    // An empty caption measures as one blank, so the label keeps one line.
    std::string text = Caption().empty() ? std::string(" ") : Caption();
    std::vector<std::string> lines;
    for (const std::string& line : SplitLines(text)) {
        if (!FWordWrap) {
            lines.push_back(line);
            continue;
        }
        for (std::string& part : WrapLine(font, line, Width())) lines.push_back(std::move(part));
    }
    int widest = 0;
    for (const std::string& line : lines) widest = std::max(widest, platform::TextWidth(font, line));
    width = FWordWrap ? Width() : widest;
    height = platform::LineHeight(font) * static_cast<int>(lines.size());
    return true;
}

void TLabel::FitSize() {
    if (!AutoSize() || Loading()) return;
    int width = Width();
    int height = Height();
    QueryAutoSize(width, height);
    // A right-justified label keeps its right edge where it was.
    int left = FAlignment == taRightJustify ? Left() + Width() - width : Left();
    ChangeBounds(left, Top(), width, height);
}

void TLabel::AfterLoad() {
    TControl::AfterLoad();
    FitSize();
}

}  // namespace quill
