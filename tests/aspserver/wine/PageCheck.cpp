#include "PageCheck.h"

#include <windows.h>

#include <cctype>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "Check.h"

namespace quill::asp::test {

namespace {

std::string Ansi(const std::wstring& text) {
    if (text.empty()) return {};
    int length = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), narrow.data(), length, nullptr, nullptr);
    return narrow;
}

// Lines of CR LF terminated text; false when a line lacks its CR LF or
// holds a stray CR or LF.
bool SplitCrLf(const std::string& text, std::vector<std::string>& lines) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) return false;
        std::string line = text.substr(start, end - start);
        if (line.find_first_of("\r\n") != std::string::npos) return false;
        lines.push_back(line);
        start = end + 2;
    }
    return true;
}

// Numbers and colours vary with the machine's fonts and colour scheme.
std::string Shape(const std::string& line) {
    std::string shape;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '#' && i + 6 < line.size() + 1) {
            shape += "#RGB";
            i += 6;
        } else if (std::isdigit(static_cast<unsigned char>(line[i]))) {
            shape += '9';
            while (i + 1 < line.size() && std::isdigit(static_cast<unsigned char>(line[i + 1]))) ++i;
        } else {
            shape += line[i];
        }
    }
    return shape;
}

uint32_t BigEndian(const std::vector<unsigned char>& data, size_t offset, int bytes) {
    uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) value = (value << 8) | data.at(offset + i);
    return value;
}

std::vector<unsigned char> FontTable(HDC dc, const char (&tag)[5]) {
    DWORD name = static_cast<DWORD>(tag[0]) | (static_cast<DWORD>(tag[1]) << 8) | (static_cast<DWORD>(tag[2]) << 16) |
                 (static_cast<DWORD>(tag[3]) << 24);
    DWORD size = GetFontData(dc, name, 0, nullptr, 0);
    if (size == GDI_ERROR) return {};
    std::vector<unsigned char> data(size);
    GetFontData(dc, name, 0, data.data(), size);
    return data;
}

int16_t Signed(uint32_t value) { return static_cast<int16_t>(static_cast<uint16_t>(value)); }

struct TLabelBox {
    int Width = -1;
    int Height = -1;
};

// The caption's box in the label's font (the design's Times New Roman at
// 12 points, 16 pixels) from the font's own tables, read through GDI: the
// unhinted advances summed and rounded up once; ascent plus descent from
// the horizontal header, the larger of rounding them outward and rounding
// ascent, descent and line gap each.
TLabelBox MeasuredLabel() {
    const std::wstring caption = L"Hominahomina.";
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateFontW(-16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Times New Roman");
    HGDIOBJ old = SelectObject(dc, font);
    std::vector<unsigned char> head = FontTable(dc, "head");
    std::vector<unsigned char> hhea = FontTable(dc, "hhea");
    std::vector<unsigned char> hmtx = FontTable(dc, "hmtx");
    std::vector<WORD> glyphs(caption.size());
    GetGlyphIndicesW(dc, caption.c_str(), static_cast<int>(caption.size()), glyphs.data(), 0);
    SIZE hinted{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &hinted);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    TLabelBox box;
    if (head.size() < 20 || hhea.size() < 36 || hmtx.empty()) return box;
    const double scale = 16.0 / BigEndian(head, 18, 2);
    const uint32_t metrics = BigEndian(hhea, 34, 2);
    double units = 0;
    for (WORD glyph : glyphs) units += BigEndian(hmtx, 4 * std::min<uint32_t>(glyph, metrics - 1), 2);
    box.Width = static_cast<int>(std::ceil(units * scale - 1e-6));
    const double ascent = Signed(BigEndian(hhea, 4, 2)) * scale;
    const double descent = -Signed(BigEndian(hhea, 6, 2)) * scale;
    const double gap = std::max<int16_t>(0, Signed(BigEndian(hhea, 8, 2))) * scale;
    box.Height = std::max(static_cast<int>(std::ceil(ascent) + std::ceil(descent)),
                          static_cast<int>(std::lround(ascent) + std::lround(descent) + std::lround(gap)));
    std::printf("label caption: %d x %d pixels unhinted, %ld x %ld hinted\n", box.Width, box.Height,
                static_cast<long>(hinted.cx), static_cast<long>(hinted.cy));
    return box;
}

std::string HtmlColor(COLORREF color) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(color), GetGValue(color), GetBValue(color));
    return text;
}

}  // namespace

void CheckPage(const std::wstring& page, const std::string& golden) {
    const int failuresBefore = gFailures;
    std::string text = Ansi(page);
    std::ifstream file(golden, std::ios::binary);
    std::stringstream stored;
    stored << file.rdbuf();
    CHECK(file.good());
    std::vector<std::string> lines, expected;
    CHECK(SplitCrLf(text, lines));
    CHECK(SplitCrLf(stored.str(), expected));
    CHECK(text.size() > 9 && text.compare(text.size() - 9, 9, "</html>\r\n") == 0);
    CHECK(lines.size() == expected.size());
    for (size_t i = 0; i < lines.size() && i < expected.size(); ++i) {
        if (Shape(lines[i]) == Shape(expected[i])) continue;
        CHECK(Shape(lines[i]) == Shape(expected[i]));
        std::fprintf(stderr, "  line %zu: \"%s\", stored \"%s\"\n", i + 1, lines[i].c_str(), expected[i].c_str());
    }
    std::string background = "background: " + HtmlColor(GetSysColor(COLOR_BTNFACE)) + ";";
    CHECK(text.find(background) != std::string::npos);
    const TLabelBox label = MeasuredLabel();
    std::string labelCell = "<td valign=\"top\" width=\"" + std::to_string(label.Width) + "\">\r\n";
    CHECK(text.find(labelCell) != std::string::npos);
    std::string besideLabel = "<td width=\"12\" height=\"" + std::to_string(label.Height) + "\"></td>\r\n";
    CHECK(text.find(besideLabel) != std::string::npos);
    CHECK(text.find("<font face=\"Times New Roman\" color=\"#000000\">Hominahomina.</font></td>\r\n") !=
          std::string::npos);
    if (gFailures > failuresBefore) std::fprintf(stderr, "page written:\n%s", text.c_str());
}

}  // namespace quill::asp::test
