#include "studio/PropertyInspector.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "framework/Exception.h"
#include "framework/FormWriter.h"

namespace quill::studio {

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

// Whether the value differs from the same property of a new object. A
// value the writer leaves out never does; without a sample every stored
// value counts as changed.
bool Differs(const TPersistent& object, const TPersistent* sample, const TPropInfo& prop) {
    if (prop.Kind == TPropKind::Object) {
        TPersistent& nested = *prop.NestedObject(const_cast<TPersistent&>(object));
        const TPersistent* nestedSample = sample ? prop.NestedObject(const_cast<TPersistent&>(*sample)) : nullptr;
        if (!nested.PublishedInfo()) return false;
        for (const TPropInfo* p : nested.PublishedInfo()->PublishedProperties())
            if (Differs(nested, nestedSample, *p)) return true;
        return false;
    }
    if (!prop.IsStored(object)) return false;
    if (!sample || prop.Kind == TPropKind::Reference || prop.Kind == TPropKind::Event) return true;
    return WritePropertyValue(object, prop) != WritePropertyValue(*sample, prop);
}

// The value as a design stores it; null for a reference to nothing and an
// unbound event.
nlohmann::json CurrentValue(const TPersistent& object, const TPropInfo& prop) {
    if (prop.Kind == TPropKind::Reference && !prop.GetReference(object)) return nullptr;
    if (prop.Kind == TPropKind::Event && prop.GetHandlerName(object).empty()) return nullptr;
    return WritePropertyValue(object, prop);
}

void SetBold(QTreeWidgetItem& item, bool bold) {
    QFont font = item.font(0);
    if (font.bold() == bold) return;
    font.setBold(bold);
    item.setFont(0, font);
}

}  // namespace

TPropertyInspector::TPropertyInspector(TDesignEditor& editor, QWidget* parent)
    : QWidget(parent), FEditor(editor), FTree(new QTreeWidget(this)), FMessage(new QLabel(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FTree, 1);
    layout->addWidget(FMessage);
    FTree->setColumnCount(2);
    FTree->setHeaderLabels({tr("Property"), tr("Value")});
    FTree->setSelectionMode(QAbstractItemView::NoSelection);
    FTree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    FMessage->setWordWrap(true);
    FMessage->setTextInteractionFlags(Qt::TextSelectableByMouse);
    FMessage->setStyleSheet("color: #b00000");
    connect(&FEditor, &TDesignEditor::SelectionChanged, this, &TPropertyInspector::Rebuild);
    connect(&FEditor, &TDesignEditor::Changed, this, &TPropertyInspector::Refresh);
    connect(&FEditor, &TDesignEditor::FormReplaced, this, &TPropertyInspector::FormReplaced);
    Rebuild();
}

TPropertyInspector::~TPropertyInspector() { Clear(); }

QTreeWidgetItem* TPropertyInspector::ItemOf(const std::string& path) const {
    auto it = FPaths.find(path);
    if (it != FPaths.end()) return FRows[it->second].Item;
    // A member of a set has a row but no editor of its own.
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos) return nullptr;
    QTreeWidgetItem* owner = ItemOf(path.substr(0, dot));
    if (!owner) return nullptr;
    for (int i = 0; i < owner->childCount(); ++i)
        if (owner->child(i)->text(0) == Text(path.substr(dot + 1))) return owner->child(i);
    return nullptr;
}

QWidget* TPropertyInspector::EditorOf(const std::string& path) const {
    QTreeWidgetItem* item = ItemOf(path);
    return item ? FTree->itemWidget(item, 1) : nullptr;
}

bool TPropertyInspector::IsBold(const std::string& path) const {
    QTreeWidgetItem* item = ItemOf(path);
    return item && item->font(0).bold();
}

void TPropertyInspector::Clear() {
    // The tree's rows own the editors' widgets: they go first, and with
    // them every connection into the editors.
    FTree->clear();
    FRows.clear();
    FPaths.clear();
    FShown = nullptr;
    FShownClass = nullptr;
}

void TPropertyInspector::FormReplaced() {
    // The old form is gone, and with it every object the rows point at.
    Clear();
    FMessage->clear();
    Rebuild();
}

void TPropertyInspector::Rebuild() {
    const std::vector<TComponent*>& selection = FEditor.Selection();
    // Selected again: the rows stay, and the field being edited keeps the keyboard.
    if (FShown && selection.size() == 1 && selection.front() == FShown && StillShown()) {
        Refresh();
        return;
    }
    Clear();
    FMessage->clear();
    if (selection.size() != 1 || !StillInForm(selection.front())) {
        if (selection.size() > 1) FMessage->setText(tr("%1 components selected").arg(selection.size()));
        return;
    }
    FShown = selection.front();
    FShownClass = FShown->PublishedInfo();
    AddRows(*FShown, SampleOf(*FShown), nullptr, "");
    FTree->expandToDepth(0);
    Refresh();
}

void TPropertyInspector::AddRows(TPersistent& object, const TPersistent* sample, QTreeWidgetItem* parent,
                                 const std::string& prefix) {
    const TClassInfo* info = object.PublishedInfo();
    if (!info) return;
    for (const TPropInfo* prop : info->PublishedProperties()) {
        auto* item = parent ? new QTreeWidgetItem(parent, {Text(prop->Name)}) : new QTreeWidgetItem(FTree, {Text(prop->Name)});
        item->setToolTip(0, Text(prop->TypeName));
        FPaths[prefix + prop->Name] = FRows.size();
        FRows.push_back({MakePropertyEditor(object, *prop, FEditor.Form()), item, &object, prop, sample});
        if (prop->Kind == TPropKind::Object) {
            item->setText(1, "(" + Text(prop->TypeName) + ")");
            TPersistent* nested = prop->NestedObject(object);
            const TPersistent* nestedSample = sample ? prop->NestedObject(const_cast<TPersistent&>(*sample)) : nullptr;
            AddRows(*nested, nestedSample, item, prefix + prop->Name + ".");
            continue;
        }
        TPropertyEditor& editor = *FRows.back().Editor;
        editor.Attach(*FTree, *item);
        editor.SetCommit([this](TPropertyEditor& e, const nlohmann::json& value) { Apply(e, value); });
    }
}

void TPropertyInspector::Refresh() {
    if (!FShown) return;
    // A change may have removed the shown component.
    if (!StillShown()) {
        Rebuild();
        return;
    }
    for (TRow& row : FRows)
        if (row.Editor) row.Editor->Show();
    for (TRow& row : FRows) SetBold(*row.Item, Differs(*row.Object, row.Sample, *row.Prop));
}

void TPropertyInspector::Apply(TPropertyEditor& editor, const nlohmann::json& value) {
    // A value the property already has makes no undo step.
    if (CurrentValue(editor.Object(), editor.Prop()) == value) return;
    try {
        FEditor.SetProperty(editor.Object(), editor.Prop(), value);
    } catch (const Exception& e) {
        ShowRefusal(editor, Text(e.Message()));
        return;
    }
    FMessage->clear();
    if (QWidget* widget = editor.Widget()) widget->setToolTip(QString());
}

void TPropertyInspector::ShowRefusal(TPropertyEditor& editor, const QString& message) {
    FMessage->setText(message);
    if (QWidget* widget = editor.Widget()) widget->setToolTip(message);
    // The editor goes back to the value the property kept.
    editor.Show();
}

bool TPropertyInspector::StillInForm(const TComponent* component) const {
    const TForm& form = FEditor.Form();
    if (component == &form) return true;
    for (int i = 0; i < form.ComponentCount(); ++i)
        if (form.Components(i) == component) return true;
    return false;
}

bool TPropertyInspector::StillShown() const {
    // Another component may have taken the address of a removed one; the
    // rows fit only an object of the same class.
    return StillInForm(FShown) && FShown->PublishedInfo() == FShownClass;
}

const TPersistent* TPropertyInspector::SampleOf(const TComponent& component) {
    const TClassInfo* info = component.PublishedInfo();
    if (!info || !info->Create) return nullptr;
    std::unique_ptr<TComponent>& sample = FSamples[info];
    if (!sample) sample.reset(info->Create(nullptr));
    return sample.get();
}

}  // namespace quill::studio
