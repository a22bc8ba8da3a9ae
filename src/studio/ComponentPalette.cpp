#include "studio/ComponentPalette.h"

#include <QMimeData>
#include <map>
#include <memory>

#include "controls/QuillCustomControl.h"
#include "framework/DesignCatalog.h"
#include "page/QuillGenerator.h"
#include "page/QuillHeader.h"
#include "studio/DesignCanvas.h"

namespace quill::studio {

namespace {

const char* const kGroups[] = {"Page controls", "Containers", "Page components", "Desktop controls",
                               "Other components"};

}  // namespace

QString TComponentPalette::GroupOf(const TClassInfo& info) {
    // What a class is shows best on an object of it.
    std::unique_ptr<TComponent> sample(info.Create(nullptr));
    if (info.IsControl && info.AcceptsChildren) return kGroups[1];
    if (dynamic_cast<TQuillCustomControl*>(sample.get())) return kGroups[0];
    if (dynamic_cast<TQuillComponent*>(sample.get()) || dynamic_cast<TQuillGenerator*>(sample.get()))
        return kGroups[2];
    return info.IsControl ? kGroups[3] : kGroups[4];
}

TComponentPalette::TComponentPalette(QWidget* parent) : QTreeWidget(parent) {
    setObjectName("ComponentPalette");
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    std::map<QString, QTreeWidgetItem*> groups;
    for (const char* name : kGroups) {
        auto* group = new QTreeWidgetItem(this, {tr(name)});
        group->setFlags(Qt::ItemIsEnabled);
        groups[name] = group;
    }
    for (const TClassInfo* info : DesignClasses()) {
        if (!info->Create || IsFormClass(*info)) continue;
        const QString name = QString::fromStdString(info->Name);
        auto* item = new QTreeWidgetItem(groups[GroupOf(*info)], {name.mid(name.startsWith('T') ? 1 : 0)});
        item->setData(0, Qt::UserRole, name);
        item->setToolTip(0, name);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled);
    }
    for (auto& [name, group] : groups) {
        group->setHidden(group->childCount() == 0);
        group->setExpanded(true);
    }
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        const std::string name = item->data(0, Qt::UserRole).toString().toStdString();
        if (const TClassInfo* info = FindDesignClass(name)) emit ClassChosen(info);
    });
}

QTreeWidgetItem* TComponentPalette::ItemOf(const QString& className) const {
    for (int g = 0; g < topLevelItemCount(); ++g)
        for (int i = 0; i < topLevelItem(g)->childCount(); ++i)
            if (topLevelItem(g)->child(i)->data(0, Qt::UserRole).toString() == className)
                return topLevelItem(g)->child(i);
    return nullptr;
}

QStringList TComponentPalette::mimeTypes() const { return {TDesignCanvas::kClassMime}; }

QMimeData* TComponentPalette::mimeData(const QList<QTreeWidgetItem*>& items) const {
    if (items.isEmpty() || items.front()->data(0, Qt::UserRole).isNull()) return nullptr;
    auto* data = new QMimeData;
    data->setData(TDesignCanvas::kClassMime, items.front()->data(0, Qt::UserRole).toString().toUtf8());
    return data;
}

}  // namespace quill::studio
