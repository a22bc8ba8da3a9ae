#include "BenchDesigns.h"

namespace quillbench {

namespace {

std::string FormOpen(const std::string& name, int width, int height) {
    return R"({"class": "TForm", "name": ")" + name + R"(", "properties": {"Width": )" + std::to_string(width) +
           R"(, "Height": )" + std::to_string(height) + R"(}, "children": [)";
}

std::string Label(const std::string& name, int left, int top, int width, int height, const std::string& extra) {
    return R"({"class": "TQuillLabel", "name": ")" + name + R"(", "properties": {"Left": )" + std::to_string(left) +
           R"(, "Top": )" + std::to_string(top) + R"(, "Width": )" + std::to_string(width) + R"(, "Height": )" +
           std::to_string(height) + R"(, "AutoSize": false, "Caption": ")" + name + "\"" + extra + "}}";
}

const char* kGeneratorAndHeader =
    R"({"class": "TQuillHtmlGenerator", "name": "Generator", "properties": {"CenterPage": false}},)"
    R"({"class": "TQuillHeader", "name": "Header", "properties": {"Title": "Bench"}})";

}  // namespace

std::string LabelGridDesign(int count, int columns, int step, int size) {
    int rows = (count + columns - 1) / columns;
    std::string text = FormOpen("Grid", columns * step + 8, rows * step + 34);
    for (int i = 0; i < count; ++i)
        text += Label("L" + std::to_string(i), (i % columns) * step, (i / columns) * step, size, size, "") + ",";
    return text + kGeneratorAndHeader + "]}";
}

std::string DiagonalLabelsDesign(int count, int size) {
    std::string text = FormOpen("Diagonal", count * size, count * size);
    for (int i = 0; i < count; ++i) text += Label("L" + std::to_string(i), i * size, i * size, size, size, "") + ",";
    return text + R"({"class": "TQuillHtmlGenerator", "name": "Generator"}]})";
}

std::string DemoLikeDesign() {
    std::string text = FormOpen("Demo", 600, 400);
    text += R"({"class": "TPanel", "name": "DesignArea", "properties": {"Align": "alClient", "Color": "clAqua"},)"
            R"("children": [)";
    text += Label("MessageLabel", 16, 16, 415, 27,
                  R"(, "CellFormat": {"AlignH": "haCenter", "Color": "clYellow", "ParentColor": false},)"
                  R"("HtmlFont": {"FontName": "Arial", "FontSize": "+2", "FontStyle": ["fsBold"]})");
    text += "]},";
    text += R"({"class": "TQuillHtmlGenerator", "name": "Generator", "properties": {"CenterPage": true, "Container": "DesignArea"}},)";
    text += R"({"class": "TQuillHeader", "name": "Header", "properties": {"Title": "Demo"}})";
    return text + "]}";
}

TDirectWriter::TDirectWriter(const quill::TStrings& lines) {
    for (int i = 0; i < lines.Count(); ++i) {
        FLines.emplace_back(lines.View(i));
        FBytes += FLines.back().size() + 2;
    }
}

std::string TDirectWriter::Write() const {
    std::string text;
    text.reserve(FBytes);
    for (const std::string& line : FLines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

}  // namespace quillbench
