#pragma once

#include <functional>
#include <memory>
#include <nlohmann/json.hpp>

#include "framework/Form.h"
#include "framework/TypeInfo.h"

class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace quill::studio {

// One property's row of the inspector. Its widgets show the value; an edit
// hands the new value, written as a stored design writes it, to the commit
// function, which may refuse it. The widgets belong to the tree; the
// editor must go before the tree's rows do.
class TPropertyEditor {
public:
    using TCommit = std::function<void(TPropertyEditor&, const nlohmann::json&)>;

    TPropertyEditor(TPersistent& object, const TPropInfo& prop) : FObject(object), FProp(prop) {}
    virtual ~TPropertyEditor() = default;
    TPropertyEditor(const TPropertyEditor&) = delete;
    TPropertyEditor& operator=(const TPropertyEditor&) = delete;

    // Makes the row's widgets on `item`, and child rows for a value of parts.
    virtual void Attach(QTreeWidget& tree, QTreeWidgetItem& item) = 0;
    // Shows the property's current value; commits nothing.
    virtual void Show() = 0;
    // The widget that edits the value (the first one, for a value of parts).
    virtual QWidget* Widget() const = 0;

    TPersistent& Object() const { return FObject; }
    const TPropInfo& Prop() const { return FProp; }
    void SetCommit(TCommit commit) { FCommit = std::move(commit); }

protected:
    void Commit(const nlohmann::json& value) {
        if (FCommit) FCommit(*this, value);
    }

private:
    TPersistent& FObject;
    const TPropInfo& FProp;
    TCommit FCommit;
};

// The editor for a property of any kind but a nested object. `form` is the
// design the object belongs to: references and events choose from it.
std::unique_ptr<TPropertyEditor> MakePropertyEditor(TPersistent& object, const TPropInfo& prop, TForm& form);

// Whether `component` may be the value of reference property `prop`: its
// class or one it derives from is the property's class.
bool FitsReference(const TComponent& component, const TPropInfo& prop);

}  // namespace quill::studio
