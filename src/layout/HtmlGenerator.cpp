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

void THtmlTableGenerator::Generate(TStrings& output) {
    // A list of before may have gone, and another taken its address.
    FPackedOf = nullptr;
    FPacked = nullptr;
    TBaseGenerator::Generate(output);
}

void THtmlTableGenerator::GenerateTable() {
    // Every row writes two lines and every cell at least one.
    const TCellTable& table = Table();
    Output()->Reserve(Output()->Count() + static_cast<int>(std::min<size_t>(
                                              4 + 2 * static_cast<size_t>(table.RowCount()) + table.CellCount(), INT32_MAX)));
    // The one table tag serves every run.
    FTableTag.Clear();
    FillTableTag(FTableTag);
    if (FCenterPage) FTableTag.SetAttribute(anAlign, "center");
    FLine.clear();
    FTableTag.WriteStartTag(FLine);
    WriteLine(FLine);
    GenerateRows();
    FLine.clear();
    FTableTag.WriteEndTag(FLine);
    WriteLine(FLine);
}

void THtmlTableGenerator::GenerateRow(int rowIndex) {
    WriteLine(std::string_view("<tr>"));
    TBaseGenerator::GenerateRow(rowIndex);
    WriteLine(std::string_view("</tr>"));
}

void THtmlTableGenerator::GenerateCell(const TCellData& cell) {
    if (TQuillCustomControl* control = FPageControl(cell.Control)) {
        FCellTag.Clear();
        FillCellTag(FCellTag, cell.Width, cell.Height, cell.ColSpan, cell.RowSpan, haDefault, vaDefault, true);
        WriteControlCell(FCellTag, *control);
        return;
    }
    // A list of the system's own takes the cell straight into its storage.
    if (FPackedOf != Output()) {
        FPackedOf = Output();
        FPacked = dynamic_cast<TStringList*>(Output());
    }
    if (FPacked) {
        char* at = FPacked->BeginLine(kEmptyCellMax);
        FPacked->EndLine(PutEmptyCell(at, cell.Width, cell.Height, cell.ColSpan, cell.RowSpan));
        return;
    }
    FLine.clear();
    WriteEmptyCell(FLine, cell.Width, cell.Height, cell.ColSpan, cell.RowSpan);
    WriteLine(FLine);
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
