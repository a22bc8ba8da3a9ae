// Many generators watching one container: every one is told when it goes.
#include <gtest/gtest.h>

#include <vector>

#include "framework/Form.h"
#include "framework/Panel.h"
#include "page/QuillGenerator.h"

namespace quill {
namespace {

TEST(ContainerWatch, ManyGeneratorsOfOnePanelAllLoseItWhenItGoes) {
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    std::vector<TQuillHtmlGenerator*> generators;
    for (int i = 0; i < 100000; ++i) {
        generators.push_back(new TQuillHtmlGenerator(&form));
        generators.back()->SetContainer(panel);
    }
    // Some go first, from both ends and the middle.
    for (int i : {0, 50000, 99999}) {
        delete generators[i];
        generators[i] = nullptr;
    }
    generators[7]->SetContainer(nullptr);
    generators[7]->SetContainer(panel);
    delete panel;
    for (TQuillHtmlGenerator* g : generators) {
        if (!g) continue;
        ASSERT_EQ(g->Container(), nullptr);
    }
}

}  // namespace
}  // namespace quill
