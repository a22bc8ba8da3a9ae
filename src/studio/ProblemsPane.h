#pragma once

#include <QTimer>
#include <QWidget>
#include <vector>

#include "cli/DesignCheck.h"
#include "studio/DesignEditor.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace quill::studio {

// What `quill check` finds in the design as it would be saved, one row per
// finding, checked again after every change (a burst once). Activating a
// row selects its component.
class TProblemsPane : public QWidget {
    Q_OBJECT

public:
    explicit TProblemsPane(TDesignEditor& editor, QWidget* parent = nullptr);

    QTreeWidget& List() const { return *FList; }
    const std::vector<TDesignFinding>& Findings() const { return FFindings; }

    // Checks the design now, whatever is pending.
    void Recheck();

signals:
    // After each check; `count` findings.
    void Checked(int count);

private:
    void Schedule();
    void FormReplaced();
    void Activated(QTreeWidgetItem* item);

    TDesignEditor& FEditor;
    QTreeWidget* FList;
    QTimer FTimer;
    std::vector<TDesignFinding> FFindings;
};

}  // namespace quill::studio
