#pragma once

#include <array>
#include <string>
#include <string_view>

#include "framework/CachedCast.h"
#include "layout/CellTable.h"
#include "markup/HtmlCodes.h"
#include "markup/HtmlTag.h"
#include "framework/Event.h"
#include "framework/Strings.h"

namespace quill {

class TQuillCustomControl;

// Asked before each table: (table index from 0, in/out WriteTable).
using TNextTableEvent = TEvent<int, bool&>;

// The format-neutral walk over a cell table: table, rows, cells. Each level
// is an overridable step, so a writer may replace any of them.
class TBaseGenerator {
public:
    TBaseGenerator() = default;
    virtual ~TBaseGenerator() = default;
    TBaseGenerator(const TBaseGenerator&) = delete;
    TBaseGenerator& operator=(const TBaseGenerator&) = delete;

    TNextTableEvent OnNextTable;

    const TCellTable& Table() const { return FTable; }
    TStrings* Output() const { return FOutput; }

    void BuildTable(const TCellControlList& controls, int32_t width, int32_t height);
    // Appends the table's lines to `output`: once, or as often as
    // OnNextTable asks for.
    virtual void Generate(TStrings& output);
    // Adds a line unless `text` is empty.
    void WriteLine(std::string_view text);

protected:
    virtual void GenerateCell(const TCellData& cell) = 0;
    virtual void GenerateCells(int rowIndex);
    virtual void GenerateRow(int rowIndex);
    virtual void GenerateRows();
    virtual void GenerateTable();

private:
    TCellTable FTable;
    TStrings* FOutput = nullptr;  // not owned
};

// Appends `text` to the last line, or adds it as a line when there is none.
void AppendToLastLine(TStrings& lines, std::string_view text);

// Writes the table as HTML, one element per line; each page control sets
// its cell's attributes and writes its own HTML into its cell. An error
// raised by one control's contribution is dropped, so the table stays well
// formed.
class THtmlTableGenerator : public TBaseGenerator {
public:
    THtmlTableGenerator();
    bool CenterPage() const { return FCenterPage; }
    void SetCenterPage(bool value) { FCenterPage = value; }
    // A table inside a cell of another table's output: the output then
    // grows as that table's writer lets it, never reserved to this
    // table's exact end, which would copy it again for every nested table.
    void SetNested(bool value) { FNested = value; }
    void Generate(TStrings& output) override;

protected:
    void GenerateCell(const TCellData& cell) override;
    void GenerateRow(int rowIndex) override;
    void GenerateTable() override;

private:
    // The control's cell in one go when it is a plain one; answers whether it was.
    bool WritePlainCell(TStringList& lines, TQuillCustomControl& control, const TCellData& cell);
    void WriteControlCell(THtmlTag& tag, TQuillCustomControl& control);
    void WriteControlHtml(TQuillCustomControl& control);

    // An empty cell's text by its sizes: most pages repeat a few sizes
    // in many cells, so most empty cells are one copy.
    struct TEmptyCellText {
        int32_t Width = 0, Height = 0, ColSpan = 0, RowSpan = 0;
        size_t Length = 0;  // none kept while 0
        char Text[kEmptyCellMax];
    };
    void WriteKeptEmptyCell(TStringList& lines, const TCellData& cell);

    bool FCenterPage = false;
    bool FNested = false;
    std::array<TEmptyCellText, 64> FEmptyCells;
    // Reused for every cell, so a cell costs no allocation of its own.
    THtmlTag FCellTag{"td", {toAlwaysWrite}};
    // The table's tags, plain and centred, made once: they never change.
    std::string FTableStart[2];
    std::string FTableEnd;
    TCachedCast<TQuillCustomControl> FPageControl;
    std::string FLine;
    TStringList FControlLines;
    // The output as the system's own list, when it is one.
    TStrings* FPackedOf = nullptr;
    TStringList* FPacked = nullptr;
};

}  // namespace quill
