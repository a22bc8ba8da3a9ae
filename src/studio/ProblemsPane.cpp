#include "studio/ProblemsPane.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "framework/Exception.h"
#include "framework/FormWriter.h"

namespace quill::studio {

TProblemsPane::TProblemsPane(TDesignEditor& editor, QWidget* parent)
    : QWidget(parent), FEditor(editor), FList(new QTreeWidget(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FList);
    FList->setColumnCount(2);
    FList->setHeaderLabels({tr("Object"), tr("Problem")});
    FList->setRootIsDecorated(false);
    FList->setWordWrap(true);
    FList->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    FTimer.setSingleShot(true);
    FTimer.setInterval(0);
    connect(&FTimer, &QTimer::timeout, this, &TProblemsPane::Recheck);
    connect(&FEditor, &TDesignEditor::Changed, this, &TProblemsPane::Schedule);
    connect(&FEditor, &TDesignEditor::FormReplaced, this, &TProblemsPane::FormReplaced);
    connect(FList, &QTreeWidget::itemActivated, this, &TProblemsPane::Activated);
    Recheck();
}

void TProblemsPane::Schedule() { FTimer.start(); }

void TProblemsPane::FormReplaced() {
    // The findings point into the old form.
    FFindings.clear();
    FList->clear();
    Schedule();
}

void TProblemsPane::Recheck() {
    FTimer.stop();
    FList->clear();
    FFindings.clear();
    const TForm& form = FEditor.Form();
    try {
        // The check reads what a saved design holds, so it sees what
        // `quill check` of the saved file would.
        FFindings = CheckDesign(form, nlohmann::json::parse(WriteFormDesign(form)));
    } catch (const std::exception& e) {
        FFindings.push_back({form.Name(), e.what(), TFindingKind::PageChange, &form});
    }
    for (size_t i = 0; i < FFindings.size(); ++i) {
        const TDesignFinding& f = FFindings[i];
        auto* item = new QTreeWidgetItem(FList, {QString::fromStdString(f.Path), QString::fromStdString(f.Message)});
        item->setToolTip(1, QString::fromStdString(f.Message));
        item->setData(0, Qt::UserRole, static_cast<qulonglong>(i));
    }
    emit Checked(static_cast<int>(FFindings.size()));
}

void TProblemsPane::Activated(QTreeWidgetItem* item) {
    const size_t index = item->data(0, Qt::UserRole).toULongLong();
    if (index >= FFindings.size() || !FFindings[index].Component) return;
    // A change since the last check may have removed the component.
    const TForm& form = FEditor.Form();
    TComponent* component = FFindings[index].Component == &form ? &FEditor.Form() : nullptr;
    for (int i = 0; i < form.ComponentCount() && !component; ++i)
        if (form.Components(i) == FFindings[index].Component) component = form.Components(i);
    if (component) FEditor.Select({component});
}

}  // namespace quill::studio
