#pragma once

#include <QWidget>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "studio/DesignEditor.h"
#include "studio/PropertyEditors.h"

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace quill::studio {

// The published properties of the one selected component, from the class
// registry, each with an editor for its kind; nested objects expand to
// their own properties. Names of values that differ from a new object's
// are bold. Every edit goes through the editor's SetProperty; a value the
// design reader refuses changes nothing and its message shows below.
class TPropertyInspector : public QWidget {
    Q_OBJECT

public:
    explicit TPropertyInspector(TDesignEditor& editor, QWidget* parent = nullptr);
    ~TPropertyInspector() override;

    QTreeWidget& Tree() const { return *FTree; }
    // The line that tells why the last value was refused; empty otherwise.
    QLabel& Message() const { return *FMessage; }
    // The shown object: the selected component, or null.
    TComponent* Shown() const { return FShown; }
    // A property's row by its path ("Caption", "Font.Size", "Font.Style.fsBold"), or null.
    QTreeWidgetItem* ItemOf(const std::string& path) const;
    // The widget editing a property's value, or null.
    QWidget* EditorOf(const std::string& path) const;
    // Whether the row's name is shown bold.
    bool IsBold(const std::string& path) const;

private:
    struct TRow {
        std::unique_ptr<TPropertyEditor> Editor;  // none for a nested object
        QTreeWidgetItem* Item = nullptr;
        TPersistent* Object = nullptr;
        const TPropInfo* Prop = nullptr;
        const TPersistent* Sample = nullptr;  // the same object of a new component, if there is one
    };

    void Rebuild();
    void AddRows(TPersistent& object, const TPersistent* sample, QTreeWidgetItem* parent, const std::string& prefix);
    void Refresh();
    void FormReplaced();
    void Apply(TPropertyEditor& editor, const nlohmann::json& value);
    void ShowRefusal(TPropertyEditor& editor, const QString& message);
    bool StillInForm(const TComponent* component) const;
    bool StillShown() const;
    const TPersistent* SampleOf(const TComponent& component);
    void Clear();

    TDesignEditor& FEditor;
    QTreeWidget* FTree;
    QLabel* FMessage;
    TComponent* FShown = nullptr;
    const TClassInfo* FShownClass = nullptr;
    std::vector<TRow> FRows;
    std::map<std::string, size_t> FPaths;
    // New objects of the classes shown so far, to tell changed values.
    std::map<const TClassInfo*, std::unique_ptr<TComponent>> FSamples;
};

}  // namespace quill::studio
