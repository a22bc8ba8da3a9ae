#include "studio/PropertyEditors.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
#include <QTreeWidget>
#include <algorithm>
#include <climits>

#include "framework/Color.h"
#include "framework/FormWriter.h"

namespace quill::studio {

namespace {

using json = nlohmann::json;

QString Text(const std::string& text) { return QString::fromStdString(text); }

class TIntegerEditor : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    void Attach(QTreeWidget& tree, QTreeWidgetItem& item) override {
        FSpin = new QSpinBox;
        FSpin->setRange(INT_MIN, INT_MAX);
        // One value when the edit is done, not one per key.
        FSpin->setKeyboardTracking(false);
        QObject::connect(FSpin, &QSpinBox::valueChanged, FSpin, [this](int value) { Commit(value); });
        tree.setItemWidget(&item, 1, FSpin);
    }
    void Show() override {
        const QSignalBlocker blocker(FSpin);
        FSpin->setValue(static_cast<int>(Prop().GetOrd(Object())));
    }
    QWidget* Widget() const override { return FSpin; }

private:
    QSpinBox* FSpin = nullptr;
};

class TStringEditor : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    void Attach(QTreeWidget& tree, QTreeWidgetItem& item) override {
        FEdit = new QLineEdit;
        // Return and leaving the field both finish an edit; only a typed
        // change is one.
        QObject::connect(FEdit, &QLineEdit::editingFinished, FEdit, [this] {
            if (!FEdit->isModified()) return;
            FEdit->setModified(false);
            Commit(FEdit->text().toStdString());
        });
        tree.setItemWidget(&item, 1, FEdit);
    }
    void Show() override {
        const QSignalBlocker blocker(FEdit);
        const QString text = Text(Prop().GetString(Object()));
        if (FEdit->text() != text) FEdit->setText(text);
        FEdit->setModified(false);
    }
    QWidget* Widget() const override { return FEdit; }

private:
    QLineEdit* FEdit = nullptr;
};

class TBooleanEditor : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    void Attach(QTreeWidget& tree, QTreeWidgetItem& item) override {
        FBox = new QCheckBox;
        QObject::connect(FBox, &QCheckBox::clicked, FBox, [this](bool checked) { Commit(checked); });
        tree.setItemWidget(&item, 1, FBox);
    }
    void Show() override {
        const QSignalBlocker blocker(FBox);
        const bool value = Prop().GetOrd(Object()) != 0;
        FBox->setChecked(value);
        FBox->setText(value ? "true" : "false");
    }
    QWidget* Widget() const override { return FBox; }

private:
    QCheckBox* FBox = nullptr;
};

class TEnumEditor : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    void Attach(QTreeWidget& tree, QTreeWidgetItem& item) override {
        FCombo = new QComboBox;
        for (const std::string& member : Prop().Enum->Members) FCombo->addItem(Text(member));
        QObject::connect(FCombo, &QComboBox::activated, FCombo,
                         [this](int index) { Commit(FCombo->itemText(index).toStdString()); });
        tree.setItemWidget(&item, 1, FCombo);
    }
    void Show() override {
        const QSignalBlocker blocker(FCombo);
        const int64_t value = Prop().GetOrd(Object());
        FCombo->setCurrentIndex(value >= 0 && value < FCombo->count() ? static_cast<int>(value) : -1);
    }
    QWidget* Widget() const override { return FCombo; }

private:
    QComboBox* FCombo = nullptr;
};

// A set as one check box per member, on child rows named after them; the
// row itself lists the members in.
class TSetEditor : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    void Attach(QTreeWidget& tree, QTreeWidgetItem& item) override {
        FItem = &item;
        for (const std::string& member : Prop().Enum->Members) {
            auto* row = new QTreeWidgetItem(&item, {Text(member)});
            auto* box = new QCheckBox;
            QObject::connect(box, &QCheckBox::clicked, box, [this] { Commit(Members()); });
            tree.setItemWidget(row, 1, box);
            FBoxes.push_back(box);
        }
    }
    void Show() override {
        const int64_t bits = Prop().GetOrd(Object());
        for (size_t i = 0; i < FBoxes.size(); ++i) {
            const QSignalBlocker blocker(FBoxes[i]);
            FBoxes[i]->setChecked((bits >> i) & 1);
        }
        FItem->setText(1, Text(WritePropertyValue(Object(), Prop()).dump()));
    }
    QWidget* Widget() const override { return FBoxes.empty() ? nullptr : FBoxes.front(); }

private:
    json Members() const {
        json members = json::array();
        for (size_t i = 0; i < FBoxes.size(); ++i)
            if (FBoxes[i]->isChecked()) members.push_back(Prop().Enum->Members[i]);
        return members;
    }

    QTreeWidgetItem* FItem = nullptr;
    std::vector<QCheckBox*> FBoxes;
};

// A colour by name from the list, typed as a name or a number, or picked.
class TColorEditor : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    void Attach(QTreeWidget& tree, QTreeWidgetItem& item) override {
        auto* box = new QWidget;
        auto* layout = new QHBoxLayout(box);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(2);
        FCombo = new QComboBox;
        FCombo->setEditable(true);
        FCombo->setInsertPolicy(QComboBox::NoInsert);
        for (const std::string& name : ColorNames()) FCombo->addItem(Text(name));
        FPick = new QToolButton;
        FPick->setText(QString::fromUtf8("\u2026"));
        FPick->setToolTip(QObject::tr("Pick a colour"));
        layout->addWidget(FCombo, 1);
        layout->addWidget(FPick);
        QObject::connect(FCombo, &QComboBox::activated, FCombo, [this](int index) { Commit(Typed(FCombo->itemText(index))); });
        QObject::connect(FCombo->lineEdit(), &QLineEdit::editingFinished, FCombo, [this] {
            if (!FCombo->lineEdit()->isModified()) return;
            FCombo->lineEdit()->setModified(false);
            Commit(Typed(FCombo->currentText()));
        });
        QObject::connect(FPick, &QToolButton::clicked, FPick, [this] { Pick(); });
        tree.setItemWidget(&item, 1, box);
    }
    void Show() override {
        const QSignalBlocker blocker(FCombo);
        const json value = WritePropertyValue(Object(), Prop());
        const QString text = value.is_string() ? Text(value.get<std::string>()) : QString::number(value.get<int64_t>());
        FCombo->setCurrentIndex(FCombo->findText(text));
        FCombo->setEditText(text);
        FCombo->lineEdit()->setModified(false);
    }
    QWidget* Widget() const override { return FCombo; }
    QToolButton* PickButton() const { return FPick; }

private:
    // A number as the number, anything else as a name for the reader to judge.
    static json Typed(const QString& text) {
        const QString trimmed = text.trimmed();
        bool number = false;
        const qlonglong value = trimmed.toLongLong(&number);
        if (number) return static_cast<int64_t>(value);
        return trimmed.toStdString();
    }

    void Pick() {
        const TColor current = ResolveColor(static_cast<TColor>(Prop().GetOrd(Object())));
        QColor initial = current >= 0 && current <= 0xFFFFFF ? QColor(current & 0xFF, (current >> 8) & 0xFF, (current >> 16) & 0xFF)
                                                              : QColor(Qt::white);
        QColorDialog dialog(initial, FCombo->window());
        dialog.setObjectName("ColorPicker");
        if (dialog.exec() != QDialog::Accepted) return;
        const QColor picked = dialog.selectedColor();
        const TColor color = picked.red() | picked.green() << 8 | picked.blue() << 16;
        // Written as the writer writes a colour: by name where it has one.
        if (std::optional<std::string> name = ColorToName(color))
            Commit(*name);
        else
            Commit(color);
    }

    QComboBox* FCombo = nullptr;
    QToolButton* FPick = nullptr;
};

// The components of the form that fit, or none.
class TReferenceEditor : public TPropertyEditor {
public:
    TReferenceEditor(TPersistent& object, const TPropInfo& prop, TForm& form) : TPropertyEditor(object, prop), FForm(form) {}
    void Attach(QTreeWidget& tree, QTreeWidgetItem& item) override {
        FCombo = new QComboBox;
        QObject::connect(FCombo, &QComboBox::activated, FCombo, [this](int index) {
            if (index == 0) Commit(nullptr);
            else Commit(FCombo->itemText(index).toStdString());
        });
        tree.setItemWidget(&item, 1, FCombo);
    }
    void Show() override {
        const QSignalBlocker blocker(FCombo);
        // Components come and go: the list follows them.
        QStringList names{QObject::tr("(none)")};
        const TComponent* current = Prop().GetReference(Object());
        int currentIndex = 0;
        for (int i = 0; i < FForm.ComponentCount(); ++i) {
            const TComponent& c = *FForm.Components(i);
            if (!FitsReference(c, Prop())) continue;
            if (&c == current) currentIndex = static_cast<int>(names.size());
            names << Text(c.Name());
        }
        if (names != FNames) {
            FCombo->clear();
            FCombo->addItems(names);
            FNames = names;
        }
        FCombo->setCurrentIndex(currentIndex);
    }
    QWidget* Widget() const override { return FCombo; }

private:
    TForm& FForm;
    QComboBox* FCombo = nullptr;
    QStringList FNames;
};

// The form's handlers for this kind of event; read-only when its class
// publishes none.
class TEventEditor : public TPropertyEditor {
public:
    TEventEditor(TPersistent& object, const TPropInfo& prop, TForm& form) : TPropertyEditor(object, prop), FForm(form) {}
    void Attach(QTreeWidget& tree, QTreeWidgetItem& item) override {
        bool anyHandler = false;
        for (const TClassInfo* c = FForm.PublishedInfo(); c; c = c->Parent) {
            anyHandler = anyHandler || !c->Methods.empty();
            for (const TMethodInfo& m : c->Methods)
                if (m.EventType == *Prop().EventType) FHandlers.push_back(m.Name);
        }
        if (!anyHandler) {
            FReadOnly = new QLineEdit;
            FReadOnly->setReadOnly(true);
            FReadOnly->setToolTip(QObject::tr("The form's class has no handlers to bind"));
            tree.setItemWidget(&item, 1, FReadOnly);
            return;
        }
        FCombo = new QComboBox;
        FCombo->addItem(QString());
        for (const std::string& name : FHandlers) FCombo->addItem(Text(name));
        QObject::connect(FCombo, &QComboBox::activated, FCombo, [this](int index) {
            if (index == 0) Commit(nullptr);
            else Commit(FCombo->itemText(index).toStdString());
        });
        tree.setItemWidget(&item, 1, FCombo);
    }
    void Show() override {
        const QString handler = Text(Prop().GetHandlerName(Object()));
        if (FReadOnly) {
            FReadOnly->setText(handler);
            return;
        }
        const QSignalBlocker blocker(FCombo);
        FCombo->setCurrentIndex(std::max(0, FCombo->findText(handler)));
    }
    QWidget* Widget() const override { return FCombo ? static_cast<QWidget*>(FCombo) : FReadOnly; }

private:
    TForm& FForm;
    std::vector<std::string> FHandlers;
    QComboBox* FCombo = nullptr;
    QLineEdit* FReadOnly = nullptr;
};

}  // namespace

bool FitsReference(const TComponent& component, const TPropInfo& prop) {
    for (const TClassInfo* c = component.PublishedInfo(); c; c = c->Parent)
        if (c->Name == prop.TypeName) return true;
    return false;
}

std::unique_ptr<TPropertyEditor> MakePropertyEditor(TPersistent& object, const TPropInfo& prop, TForm& form) {
    switch (prop.Kind) {
    case TPropKind::Integer:
        return std::make_unique<TIntegerEditor>(object, prop);
    case TPropKind::Boolean:
        return std::make_unique<TBooleanEditor>(object, prop);
    case TPropKind::String:
        return std::make_unique<TStringEditor>(object, prop);
    case TPropKind::Enum:
        return std::make_unique<TEnumEditor>(object, prop);
    case TPropKind::Set:
        return std::make_unique<TSetEditor>(object, prop);
    case TPropKind::Color:
        return std::make_unique<TColorEditor>(object, prop);
    case TPropKind::Reference:
        return std::make_unique<TReferenceEditor>(object, prop, form);
    case TPropKind::Event:
        return std::make_unique<TEventEditor>(object, prop, form);
    case TPropKind::Object:
        break;
    }
    return nullptr;
}

}  // namespace quill::studio
