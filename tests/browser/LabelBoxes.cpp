// Renders a design for the browser check. The page is written as the
// quill program writes it, except that each label's and image's cell
// carries a data-label attribute with the control's name, so that the
// browser can tell the cells apart. Standard output gets one JSON object
// per control, those inside panels included: its name, its kind, its
// rectangle in the page root, whether it sizes itself, and on how many
// lines a label's caption is laid out on screen; then the page root's size.
#include <fstream>
#include <iostream>

#include <nlohmann/json.hpp>

#include "aspserver/PageOne.h"
#include "controls/QuillClasses.h"
#include "controls/QuillImage.h"
#include "controls/QuillLabel.h"
#include "controls/QuillPanel.h"
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

void MarkCell(TQuillCustomControl& control) {
    const std::string name = control.Name();
    TQuillUpdateTagEvent previous = control.OnUpdateTag();
    control.SetOnUpdateTag([previous, name](THtmlTag& tag) {
        if (previous) previous(tag);
        if (tag.TagName() == "td") tag.SetAttribute("data-label", name);
    });
}

// The labels and images of `container` and of the visible panels in it,
// each at its place in the page root: a panel's table puts its children
// relative to the panel.
void MarkControls(TWinControl& container, int left, int top, nlohmann::json& controls) {
    for (int i = 0; i < container.ControlCount(); ++i) {
        TControl* child = container.Controls(i);
        if (!child->Visible()) continue;
        const int x = left + child->Left(), y = top + child->Top();
        if (auto* panel = dynamic_cast<TQuillPanel*>(child)) {
            MarkControls(*panel, x, y, controls);
            continue;
        }
        auto* label = dynamic_cast<TQuillLabel*>(child);
        auto* image = dynamic_cast<TQuillImage*>(child);
        if (!label && !image) continue;
        MarkCell(*static_cast<TQuillCustomControl*>(child));
        controls.push_back({{"name", child->Name()},
                            {"kind", label ? "label" : "image"},
                            {"left", x},
                            {"top", y},
                            {"width", child->Width()},
                            {"height", child->Height()},
                            {"autoSize", label ? label->AutoSize() : image->AutoSize()},
                            {"lines", label ? ScreenLines(*label) : 0}});
    }
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
        nlohmann::json labels = nlohmann::json::array();
        MarkControls(root, 0, 0, labels);
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
