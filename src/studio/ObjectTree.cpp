#include "studio/ObjectTree.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quill::studio {

namespace {

// Where the tree shows a component: a control under its parent, every
// other component (and a control placed nowhere) under the form, as the
// design stores them.
const TComponent* PlaceOf(const TComponent& component, const TForm& form) {
    const TControl* control = component.AsControl();
    return control && control->Parent() ? static_cast<const TComponent*>(control->Parent()) : &form;
}

QString Text(const std::string& text) { return QString::fromStdString(text); }

TComponent* ComponentOf(const QTreeWidgetItem* item) {
    return reinterpret_cast<TComponent*>(item->data(0, Qt::UserRole).value<quintptr>());
}

}  // namespace

TObjectTree::TObjectTree(TDesignEditor& editor, QWidget* parent) : QWidget(parent), FEditor(editor), FTree(new QTreeWidget(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FTree);
    FTree->setColumnCount(2);
    FTree->setHeaderLabels({tr("Name"), tr("Class")});
    FTree->setSelectionMode(QAbstractItemView::ExtendedSelection);
    FTree->setUniformRowHeights(true);
    FTree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    connect(FTree, &QTreeWidget::itemSelectionChanged, this, &TObjectTree::TreeSelectionChanged);
    connect(&FEditor, &TDesignEditor::Changed, this, &TObjectTree::Refresh);
    connect(&FEditor, &TDesignEditor::SelectionChanged, this, &TObjectTree::ShowSelection);
    connect(&FEditor, &TDesignEditor::FormReplaced, this, &TObjectTree::FormReplaced);
    Rebuild();
}

QTreeWidgetItem* TObjectTree::ItemOf(const TComponent& component) const {
    auto it = FItems.find(&component);
    return it == FItems.end() ? nullptr : it->second;
}

std::vector<TObjectTree::TShape> TObjectTree::ShapeOfForm() const {
    const TForm& form = FEditor.Form();
    std::vector<TShape> shape;
    shape.reserve(static_cast<size_t>(form.ComponentCount()) + 1);
    shape.push_back({&form, nullptr, form.Name(), form.PublishedInfo()->Name});
    for (int i = 0; i < form.ComponentCount(); ++i) {
        const TComponent& c = *form.Components(i);
        shape.push_back({&c, PlaceOf(c, form), c.Name(), c.PublishedInfo() ? c.PublishedInfo()->Name : c.ClassName()});
    }
    return shape;
}

void TObjectTree::Refresh() {
    // Most changes move or restyle a control: the tree stays as it is.
    if (ShapeOfForm() != FShape) Rebuild();
}

void TObjectTree::FormReplaced() {
    // The old form is gone: forget its components before anything else.
    FItems.clear();
    FShape.clear();
    {
        const QSignalBlocker blocker(FTree);
        FTree->clear();
    }
    Rebuild();
}

void TObjectTree::Rebuild() {
    FShape = ShapeOfForm();
    FItems.clear();
    {
        const QSignalBlocker blocker(FTree);
        FTree->clear();
        // Every row first, then each under its place: a parent may come
        // after its children in the form's order.
        for (const TShape& s : FShape) {
            auto* item = new QTreeWidgetItem({Text(s.Name), Text(s.ClassName)});
            item->setData(0, Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(s.Component)));
            FItems.emplace(s.Component, item);
        }
        FTree->addTopLevelItem(FItems.at(FShape.front().Component));
        for (size_t i = 1; i < FShape.size(); ++i) {
            auto place = FItems.find(FShape[i].Place);
            QTreeWidgetItem* parent = place != FItems.end() ? place->second : FTree->topLevelItem(0);
            parent->addChild(FItems.at(FShape[i].Component));
        }
        FTree->expandAll();
    }
    ShowSelection();
}

void TObjectTree::ShowSelection() {
    if (FSyncing) return;
    FSyncing = true;
    {
        const QSignalBlocker blocker(FTree);
        FTree->clearSelection();
        QTreeWidgetItem* current = nullptr;
        // Looked up by address alone: a selection may still name a
        // component that is gone.
        for (TComponent* c : FEditor.Selection())
            if (auto it = FItems.find(c); it != FItems.end()) {
                it->second->setSelected(true);
                current = it->second;
            }
        if (current) {
            FTree->setCurrentItem(current, 0, QItemSelectionModel::NoUpdate);
            FTree->scrollToItem(current);
        }
    }
    FSyncing = false;
}

void TObjectTree::TreeSelectionChanged() {
    if (FSyncing) return;
    std::vector<TComponent*> selection;
    // The current row last, as the most recently picked one.
    QTreeWidgetItem* current = FTree->currentItem();
    for (QTreeWidgetItem* item : FTree->selectedItems())
        if (item != current) selection.push_back(ComponentOf(item));
    if (current && current->isSelected()) selection.push_back(ComponentOf(current));
    FSyncing = true;
    FEditor.Select(selection);
    FSyncing = false;
}

}  // namespace quill::studio
