#pragma once

#include <QListWidget>

namespace quill::studio {

class TDesignDocument;

// The form's non-visual components (page generator, page header, ...)
// under the canvas, where they are selected: they have no place on it.
class TComponentTray : public QListWidget {
    Q_OBJECT

public:
    explicit TComponentTray(TDesignDocument& document, QWidget* parent = nullptr);

    // The item showing the component of that name, or null.
    QListWidgetItem* ItemOf(const QString& name) const;

private:
    void Refill();
    void ShowSelection();
    void TakeSelection();

    TDesignDocument& FDocument;
    bool FUpdating = false;
};

}  // namespace quill::studio
