#include "studio/ComponentTray.h"

#include <algorithm>

#include "framework/TextHelpers.h"
#include "studio/DesignDocument.h"

namespace quill::studio {

TComponentTray::TComponentTray(TDesignDocument& document, QWidget* parent)
    : QListWidget(parent), FDocument(document) {
    setObjectName("ComponentTray");
    setViewMode(QListView::IconMode);
    setFlow(QListView::LeftToRight);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setMovement(QListView::Static);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSpacing(4);
    setFixedHeight(72);
    connect(&document, &TDesignDocument::Changed, this, &TComponentTray::Refill);
    connect(&document, &TDesignDocument::FormReplaced, this, &TComponentTray::Refill);
    connect(&document, &TDesignDocument::SelectionChanged, this, &TComponentTray::ShowSelection);
    connect(this, &QListWidget::itemSelectionChanged, this, &TComponentTray::TakeSelection);
    Refill();
}

QListWidgetItem* TComponentTray::ItemOf(const QString& name) const {
    for (int i = 0; i < count(); ++i)
        if (item(i)->data(Qt::UserRole).toString() == name) return item(i);
    return nullptr;
}

void TComponentTray::Refill() {
    FUpdating = true;
    clear();
    const TForm& form = FDocument.Form();
    for (int i = 0; i < form.ComponentCount(); ++i) {
        const TComponent* c = form.Components(i);
        if (c->AsControl()) continue;
        const QString name = QString::fromStdString(c->Name());
        auto* entry = new QListWidgetItem(name + "\n" + QString::fromStdString(c->ClassName()), this);
        entry->setData(Qt::UserRole, name);
        entry->setTextAlignment(Qt::AlignCenter);
    }
    FUpdating = false;
    ShowSelection();
}

void TComponentTray::ShowSelection() {
    FUpdating = true;
    const auto& selection = FDocument.Selection();
    for (int i = 0; i < count(); ++i) {
        const std::string name = item(i)->data(Qt::UserRole).toString().toStdString();
        item(i)->setSelected(std::any_of(selection.begin(), selection.end(),
                                         [&](const TComponent* c) { return SameText(c->Name(), name); }));
    }
    FUpdating = false;
}

void TComponentTray::TakeSelection() {
    if (FUpdating) return;
    std::vector<TComponent*> chosen;
    for (QListWidgetItem* entry : selectedItems())
        if (TComponent* c = FDocument.Form().FindComponent(entry->data(Qt::UserRole).toString().toStdString()))
            chosen.push_back(c);
    if (!chosen.empty()) FDocument.Select(chosen);
}

}  // namespace quill::studio
