#include "framework/ImageList.h"

#include "framework/Exception.h"

namespace quill {

namespace {

std::vector<std::string> SplitRows(const std::string& text) {
    std::vector<std::string> rows;
    size_t pos = 0;
    while (pos <= text.size() && !text.empty()) {
        size_t end = text.find(' ', pos);
        if (end == std::string::npos) end = text.size();
        rows.push_back(text.substr(pos, end - pos));
        pos = end + 1;
    }
    return rows;
}

}  // namespace

void TImageList::SetSize(int& field, int value) {
    if (value < 1) throw Exception(Name() + ": a glyph size must be at least 1, not " + std::to_string(value));
    if (value == field) return;
    field = value;
    FBitmap.clear();
    FRows.clear();
}

void TImageList::SetWidth(int value) { SetSize(FWidth, value); }

void TImageList::SetHeight(int value) { SetSize(FHeight, value); }

void TImageList::SetBitmap(const std::string& text) {
    std::vector<std::string> rows = SplitRows(text);
    std::string where = Name() + ".Bitmap: ";
    for (size_t i = 0; i < rows.size(); ++i) {
        std::string row = "row " + std::to_string(i + 1);
        if (static_cast<int>(rows[i].size()) != FWidth)
            throw Exception(where + row + " has " + std::to_string(rows[i].size()) + " pixels, not " +
                            std::to_string(FWidth));
        if (rows[i].find_first_not_of("#.") != std::string::npos)
            throw Exception(where + row + " holds a character other than \"#\" and \".\"");
    }
    if (rows.size() % FHeight != 0)
        throw Exception(where + std::to_string(rows.size()) + " rows do not make whole glyphs of " +
                        std::to_string(FHeight));
    FBitmap = text;
    FRows = std::move(rows);
}

int TImageList::Count() const { return static_cast<int>(FRows.size()) / FHeight; }

TColor TImageList::Pixel(int index, int x, int y) const {
    if (index < 0 || index >= Count() || x < 0 || x >= FWidth || y < 0 || y >= FHeight)
        throw Exception(Name() + ": no pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") in glyph " +
                        std::to_string(index));
    return FRows[index * FHeight + y][x] == '#' ? clBlack : clNone;
}

}  // namespace quill
