#include "layout/HtmlGenerator.h"

#include <algorithm>
#include <cstdint>

#include "controls/QuillCustomControl.h"
#include "markup/HtmlCodes.h"

namespace quill {

void TBaseGenerator::BuildTable(const TCellControlList& controls, int32_t width, int32_t height) {
    FTable.Build(controls, width, height);
}

void TBaseGenerator::Generate(TStrings& output) {
    FOutput = &output;
    if (!OnNextTable) {
        GenerateTable();
        return;
    }
    // The flag is not reset between calls: the hook sees its last answer.
    int index = 0;
    bool writeTable = false;
    do {
        OnNextTable(index++, writeTable);
        if (writeTable) GenerateTable();
    } while (writeTable);
}

void TBaseGenerator::WriteLine(std::string_view text) {
    if (!text.empty()) FOutput->Add(text);
}

void TBaseGenerator::GenerateCells(int rowIndex) {
    for (const TCellData& cell : FTable.Rows(rowIndex)) GenerateCell(cell);
}

void TBaseGenerator::GenerateRow(int rowIndex) { GenerateCells(rowIndex); }

void TBaseGenerator::GenerateRows() {
    for (int r = 0; r < FTable.RowCount(); ++r) GenerateRow(r);
}

void TBaseGenerator::GenerateTable() { GenerateRows(); }

void AppendToLastLine(TStrings& lines, std::string_view text) {
    if (lines.Count() == 0) {
        lines.Add(text);
        return;
    }
    std::string last(lines.View(lines.Count() - 1));
    last += text;
    lines.Put(lines.Count() - 1, last);
}

THtmlTableGenerator::THtmlTableGenerator() {
    for (bool centred : {false, true}) {
        THtmlTag tag("table", {toAlwaysWrite});
        FillTableTag(tag);
        if (centred) tag.SetAttribute(anAlign, "center");
        tag.WriteStartTag(FTableStart[centred]);
        if (!centred) tag.WriteEndTag(FTableEnd);
    }
}

void THtmlTableGenerator::Generate(TStrings& output) {
    // A list of before may have gone, and another taken its address.
    FPackedOf = nullptr;
    FPacked = nullptr;
    TBaseGenerator::Generate(output);
}

void THtmlTableGenerator::GenerateTable() {
    // Every row writes two lines and every cell at least one.
    const TCellTable& table = Table();
    if (!FNested)
        Output()->Reserve(Output()->Count() + static_cast<int>(std::min<size_t>(
                                                  4 + 2 * static_cast<size_t>(table.RowCount()) + table.CellCount(), INT32_MAX)));
    WriteLine(FTableStart[FCenterPage]);
    GenerateRows();
    WriteLine(FTableEnd);
}

void THtmlTableGenerator::GenerateRow(int rowIndex) {
    WriteLine(std::string_view("<tr>"));
    TBaseGenerator::GenerateRow(rowIndex);
    WriteLine(std::string_view("</tr>"));
}

void THtmlTableGenerator::GenerateCell(const TCellData& cell) {
    // A list of the system's own takes the cell straight into its storage.
    if (FPackedOf != Output()) {
        FPackedOf = Output();
        FPacked = dynamic_cast<TStringList*>(Output());
    }
    if (TQuillCustomControl* control = FPageControl(cell.Control)) {
        if (FPacked && WritePlainCell(*FPacked, *control, cell)) return;
        FCellTag.Clear();
        FillCellTag(FCellTag, cell.Width, cell.Height, cell.ColSpan, cell.RowSpan, haDefault, vaDefault, true);
        WriteControlCell(FCellTag, *control);
        return;
    }
    if (FPacked) return WriteKeptEmptyCell(*FPacked, cell);
    FLine.clear();
    WriteEmptyCell(FLine, cell.Width, cell.Height, cell.ColSpan, cell.RowSpan);
    WriteLine(FLine);
}

void THtmlTableGenerator::WriteKeptEmptyCell(TStringList& lines, const TCellData& cell) {
    const uint32_t hash = static_cast<uint32_t>(cell.Width) * 2654435761u ^ static_cast<uint32_t>(cell.Height) * 40503u ^
                          static_cast<uint32_t>(cell.ColSpan) ^ static_cast<uint32_t>(cell.RowSpan) << 7;
    TEmptyCellText& kept = FEmptyCells[(hash ^ hash >> 16) % FEmptyCells.size()];
    if (kept.Length == 0 || kept.Width != cell.Width || kept.Height != cell.Height || kept.ColSpan != cell.ColSpan ||
        kept.RowSpan != cell.RowSpan) {
        kept.Length = static_cast<size_t>(PutEmptyCell(kept.Text, cell.Width, cell.Height, cell.ColSpan, cell.RowSpan) - kept.Text);
        kept.Width = cell.Width;
        kept.Height = cell.Height;
        kept.ColSpan = cell.ColSpan;
        kept.RowSpan = cell.RowSpan;
    }
    lines.EndLine(PutText(lines.BeginLine(kept.Length), {kept.Text, kept.Length}));
}

bool THtmlTableGenerator::WritePlainCell(TStringList& lines, TQuillCustomControl& control, const TCellData& cell) {
    TCellPieces pieces;
    try {
        if (!control.PlainCell(pieces)) return false;
    } catch (...) {
        // Nothing is written yet: the control's own steps take the cell.
        return false;
    }
    char* at = lines.BeginLine(control.CellStartMax());
    lines.EndLine(control.PutCellStart(at, cell.ColSpan, cell.RowSpan));
    constexpr std::string_view kEnd = "</td>";
    at = lines.BeginLine(pieces.Size() + kEnd.size());
    for (std::string_view piece : {pieces.LinkStart, pieces.FontOpen, pieces.Content, pieces.FontClose, pieces.LinkEnd})
        if (!piece.empty()) at = PutText(at, piece);
    at = PutText(at, kEnd);
    lines.EndLine(at);
    return true;
}

void THtmlTableGenerator::WriteControlCell(THtmlTag& tag, TQuillCustomControl& control) {
    try {
        control.UpdateTag(tag);
    } catch (...) {
        // The tag keeps what it held when the control failed.
    }
    FLine.clear();
    tag.WriteStartTag(FLine);
    WriteLine(FLine);
    if (control.AppendsToPage()) {
        try {
            control.GetHtml(*Output());
        } catch (...) {
            // The lines written before the failure stay.
        }
        // The same bytes as through a list of its own: the end tag closes
        // the control's last line, or the opening line.
        FLine.clear();
        tag.WriteEndTag(FLine);
        AppendToLastLine(*Output(), FLine);
        return;
    }
    FControlLines.Clear();
    try {
        WriteControlHtml(control);
    } catch (...) {
        // The lines written before the failure stay.
    }
    // The cell closes at the end of the control's last line, or of its
    // opening line when the control wrote nothing.
    const int count = FControlLines.Count();
    if (count == 0) {
        FLine.clear();
        tag.WriteEndTag(FLine);
        AppendToLastLine(*Output(), FLine);
        return;
    }
    for (int i = 0; i + 1 < count; ++i) Output()->Add(FControlLines.View(i));
    FLine.assign(FControlLines.View(count - 1));
    tag.WriteEndTag(FLine);
    Output()->Add(FLine);
}

void THtmlTableGenerator::WriteControlHtml(TQuillCustomControl& control) {
    try {
        control.GetHtml(FControlLines);
    } catch (...) {
        // What the control wrote before it failed still goes out.
    }
}

}  // namespace quill
