#include "controls/QuillPanel.h"

#include <memory>
#include <vector>

#include "framework/ClassBuilder.h"
#include "framework/StandardClasses.h"
#include "layout/HtmlGenerator.h"

namespace quill {

namespace {

// What one level of nested tables works with, kept for the thread and
// reused at the same depth, so a page of many panels makes a table
// generator per depth, not per panel.
struct TNestedTable {
    THtmlTableGenerator Generator;
    TCellControlList Cells;
    TCachedCast<TQuillCustomControl> Cast;
};

constexpr size_t kKeptCells = size_t{1} << 16;

}  // namespace

TQuillPanel::TQuillPanel(TComponent* owner) : TQuillCustomControl(owner) {}

void TQuillPanel::GetDefaultHtml(TStrings& strings) {
    thread_local std::vector<std::unique_ptr<TNestedTable>> levels;
    thread_local size_t depth = 0;
    if (levels.size() == depth) levels.emplace_back();
    if (!levels[depth]) levels[depth] = std::make_unique<TNestedTable>();
    TNestedTable& level = *levels[depth++];
    struct TLeave {
        ~TLeave() {
            std::unique_ptr<TNestedTable>& done = levels[--depth];
            done->Cells.clear();
            // A big table's storage is not kept.
            if (done->Generator.Table().CellCount() > kKeptCells) done.reset();
        }
    } leave;
    CollectCellControls(*this, level.Cells, level.Cast);
    // The panel's height, not 0 as for the page: the table fills the box,
    // so what lies below the lowest child keeps the panel's colour.
    level.Generator.SetNested(true);
    level.Generator.BuildTable(level.Cells, Width(), Height());
    level.Generator.Generate(strings);
}

const TClassInfo& TQuillPanel::StaticInfo() {
    using C = TQuillPanel;
    static const TClassInfo info =
        TClassBuilder<C>("TQuillPanel", &TQuillCustomControl::StaticInfo())
            .Creatable()
            .AcceptsChildren()
            .Enum<TAlign>("Align", AlignType(), &C::Align, &C::SetAlign, alNone)
            .Object("CellFormat", "THtmlTableDataProperty", [](C& c) -> TPersistent& { return c.CellFormat(); })
            .Build();
    return info;
}

}  // namespace quill
