#pragma once

#include <QTreeWidget>

#include "framework/TypeInfo.h"

namespace quill::studio {

// Every class of the registry a design can hold, grouped: page controls,
// containers, page components, then the desktop controls and other
// components. A class registered later appears with no change here.
// Clicking one asks for it to be added; dragging one onto the canvas
// drops it there.
class TComponentPalette : public QTreeWidget {
    Q_OBJECT

public:
    explicit TComponentPalette(QWidget* parent = nullptr);

    // The group a class is listed under.
    static QString GroupOf(const TClassInfo& info);
    // The item of a class, or null.
    QTreeWidgetItem* ItemOf(const QString& className) const;

signals:
    void ClassChosen(const quill::TClassInfo* info);

protected:
    QMimeData* mimeData(const QList<QTreeWidgetItem*>& items) const override;
    QStringList mimeTypes() const override;
};

}  // namespace quill::studio
