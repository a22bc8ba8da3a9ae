#pragma once

#include <QObject>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "framework/Form.h"
#include "framework/TypeInfo.h"

namespace quill::studio {

// The open design as the Studio's panes see it: the form being designed,
// the selection, and the one way to change a property, so that every
// change from any pane becomes one undo step. The main window's document
// implements it; panes hold a reference and never own the form.
class TDesignEditor : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;
    ~TDesignEditor() override = default;

    // The form being designed: the same object until FormReplaced.
    virtual TForm& Form() = 0;
    // The design's file, empty for a design not saved yet. Relative paths
    // in the design (an image's source) are relative to its folder.
    virtual std::string FileName() const = 0;

    // Sets `prop` of `object` (a component of the form, or a nested
    // property object of one) to `value`, written as a stored design
    // writes it, as one undo step. When the design reader would refuse the
    // value it raises Exception with the reader's message and changes
    // nothing.
    virtual void SetProperty(TPersistent& object, const TPropInfo& prop, const nlohmann::json& value) = 0;

    // The selected components, in the order they were selected.
    virtual const std::vector<TComponent*>& Selection() const = 0;
    virtual void Select(const std::vector<TComponent*>& components) = 0;

signals:
    // After every change to the form, undo and redo included.
    void Changed();
    void SelectionChanged();
    // The form object itself is a new one (New, Open, a revert): drop every
    // pointer into the old one before using Form() again.
    void FormReplaced();
};

}  // namespace quill::studio
