#include "layout/HtmlGenerator.h"

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

void TBaseGenerator::WriteLine(const std::string& text) {
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

void AppendToLastLine(TStrings& lines, const std::string& text) {
    if (lines.Count() == 0)
        lines.Add(text);
    else
        lines.Put(lines.Count() - 1, lines[lines.Count() - 1] + text);
}

void THtmlTableGenerator::GenerateTable() {
    std::unique_ptr<THtmlTag> tag = NewTableTag();
    if (FCenterPage) tag->SetAttribute("align", "center");
    WriteLine(tag->StartTag());
    GenerateRows();
    WriteLine(tag->EndTag());
}

void THtmlTableGenerator::GenerateRow(int rowIndex) {
    WriteLine(HtmlBracket("tr"));
    TBaseGenerator::GenerateRow(rowIndex);
    WriteLine(HtmlEndTag("tr"));
}

void THtmlTableGenerator::GenerateCell(const TCellData& cell) {
    std::unique_ptr<THtmlTag> tag =
        NewCellTag(cell.Width, cell.Height, cell.ColSpan, cell.RowSpan, haDefault, vaDefault, true);
    if (auto* control = dynamic_cast<TQuillCustomControl*>(cell.Control))
        WriteControlCell(*tag, *control);
    else
        WriteLine(tag->StartTag() + tag->EndTag());
}

void THtmlTableGenerator::WriteControlCell(THtmlTag& tag, TQuillCustomControl& control) {
    try {
        control.UpdateTag(tag);
    } catch (...) {
        // The tag keeps what it held when the control failed.
    }
    WriteLine(tag.StartTag());
    try {
        WriteControlHtml(control);
    } catch (...) {
        // The lines written before the failure stay.
    }
    AppendToLastLine(*Output(), tag.EndTag());
}

void THtmlTableGenerator::WriteControlHtml(TQuillCustomControl& control) {
    TStringList lines;
    try {
        control.GetHtml(lines);
    } catch (...) {
        // What the control wrote before it failed still goes out.
    }
    Output()->AddStrings(lines);
}

}  // namespace quill
