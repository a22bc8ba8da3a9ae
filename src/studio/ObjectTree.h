#pragma once

#include <QWidget>
#include <unordered_map>
#include <vector>

#include "studio/DesignEditor.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace quill::studio {

// The form's components as a tree of names and classes: each control under
// its parent, non-visual components under the form, in the order the
// design stores them. Selecting here selects in the editor and the other
// way round.
class TObjectTree : public QWidget {
    Q_OBJECT

public:
    explicit TObjectTree(TDesignEditor& editor, QWidget* parent = nullptr);

    QTreeWidget& Tree() const { return *FTree; }
    // The row of a component, or null.
    QTreeWidgetItem* ItemOf(const TComponent& component) const;

private:
    // What the tree shows of one component; equal shapes need no rebuild.
    struct TShape {
        const TComponent* Component;
        const TComponent* Place;
        std::string Name;
        std::string ClassName;
        bool operator==(const TShape&) const = default;
    };
    std::vector<TShape> ShapeOfForm() const;
    void Rebuild();
    void Refresh();
    void FormReplaced();
    void ShowSelection();
    void TreeSelectionChanged();

    TDesignEditor& FEditor;
    QTreeWidget* FTree;
    std::vector<TShape> FShape;
    std::unordered_map<const TComponent*, QTreeWidgetItem*> FItems;
    bool FSyncing = false;
};

}  // namespace quill::studio
