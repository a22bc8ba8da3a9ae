// Renders a design for the browser check. The page is written as the
// quill program writes it, except that each label's cell carries a
// data-label attribute with the label's name, so that the browser can tell
// the cells apart. Standard output gets one JSON object per label: its
// name, its rectangle in the page root, whether it sizes itself, and on how
// many lines its caption is laid out on screen; then the page root's size.
#include <fstream>
#include <iostream>

#include <nlohmann/json.hpp>

#include "aspserver/PageOne.h"
#include "controls/QuillClasses.h"
#include "controls/QuillLabel.h"
#include "framework/Exception.h"
#include "framework/FormReader.h"
#include "page/QuillGenerator.h"
#include "platform/TextMetrics.h"

namespace {

using namespace quill;

TQuillHtmlGenerator& FirstGenerator(const TForm& form) {
    for (int i = 0; i < form.ComponentCount(); ++i)
        if (auto* g = dynamic_cast<TQuillHtmlGenerator*>(form.Components(i))) return *g;
    throw Exception(form.Name() + ": the form has no TQuillHtmlGenerator");
}

int ScreenLines(TQuillLabel& label) {
    TLabel& inner = label.InnerLabel();
    const TFont& font = inner.Font();
    platform::TTextFont textFont{font.Name(), font.Size(), font.Style().Contains(fsBold),
                                 font.Style().Contains(fsItalic)};
    int width = inner.Width();
    int height = inner.Height();
    inner.QueryAutoSize(width, height);
    return height / platform::LineHeight(textFont);
}

nlohmann::json MarkLabels(TWinControl& root) {
    nlohmann::json labels = nlohmann::json::array();
    for (int i = 0; i < root.ControlCount(); ++i) {
        auto* label = dynamic_cast<TQuillLabel*>(root.Controls(i));
        if (!label || !label->Visible()) continue;
        const std::string name = label->Name();
        TQuillUpdateTagEvent previous = label->OnUpdateTag();
        label->SetOnUpdateTag([previous, name](THtmlTag& tag) {
            if (previous) previous(tag);
            if (tag.TagName() == "td") tag.SetAttribute("data-label", name);
        });
        labels.push_back({{"name", name},
                          {"left", label->Left()},
                          {"top", label->Top()},
                          {"width", label->Width()},
                          {"height", label->Height()},
                          {"autoSize", label->AutoSize()},
                          {"lines", ScreenLines(*label)}});
    }
    return labels;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: quill_label_boxes DESIGN PAGE\n";
        return 2;
    }
    try {
        RegisterQuillClasses();
        RegisterPageOneForm();
        std::unique_ptr<TForm> form = LoadFormDesign(argv[1]);
        TQuillHtmlGenerator& generator = FirstGenerator(*form);
        TWinControl& root = generator.PageRootControl();
        nlohmann::json labels = MarkLabels(root);
        std::ofstream page(argv[2], std::ios::binary | std::ios::trunc);
        page << generator.Generate()->Text();
        if (!page.flush()) throw Exception(std::string(argv[2]) + ": the page was not written");
        std::cout << nlohmann::json{{"width", root.ClientWidth()}, {"height", root.ClientHeight()}, {"labels", labels}}
                  << "\n";
        return 0;
    } catch (const Exception& e) {
        std::cerr << "quill_label_boxes: " << e.Message() << "\n";
        return 1;
    }
}
