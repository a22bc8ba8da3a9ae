#pragma once

#include <cstddef>
#include <string>

// Designs that stress the reader, shared by the tests and the benchmarks.
namespace quill::test {

// Panels nested `depth` levels below the form, each the only child of the last.
inline std::string NestedPanels(size_t depth) {
    std::string text = R"({"class": "TForm", "name": "F", "properties": {"Width": 300, "Height": 200})";
    for (size_t i = 0; i < depth; ++i)
        text += R"(, "children": [{"class": "TPanel", "name": "P)" + std::to_string(i) +
                R"(", "properties": {"Align": "alClient"})";
    for (size_t i = 0; i < depth; ++i) text += "}]";
    return text + "}";
}

// `count` top-aligned panels of height 7 on a form whose client area is 400 wide.
inline std::string StackedPanels(int count) {
    std::string text = R"({"class": "TForm", "name": "F", "properties": {"Width": 408, "Height": 334}, "children": [)";
    for (int i = 0; i < count; ++i)
        text += std::string(i ? "," : "") + R"({"class": "TPanel", "name": "P)" + std::to_string(i) +
                R"(", "properties": {"Align": "alTop", "Height": 7}})";
    return text + "]}";
}

// A form holding `count` panels with their defaults: the least design per component.
inline std::string ManyPanels(size_t count) {
    std::string text = R"({"class": "TForm", "name": "F", "children": [)";
    for (size_t i = 0; i < count; ++i)
        text += std::string(i ? "," : "") + R"({"class": "TPanel", "name": "P)" + std::to_string(i) + R"("})";
    return text + "]}";
}

}  // namespace quill::test
