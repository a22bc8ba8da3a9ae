#include "studio/DesignDocument.h"

#include <algorithm>
#include <filesystem>
#include <unordered_set>

#include "aspserver/PageOne.h"
#include "controls/QuillClasses.h"
#include "demo/HtmlPage.h"
#include "framework/DesignLimits.h"
#include "framework/Exception.h"
#include "framework/FormReader.h"
#include "framework/FormWriter.h"
#include "framework/PropertyValue.h"
#include "framework/TextHelpers.h"
#include "platform/AtomicFile.h"
#include "studio/ComponentNames.h"
#include "studio/ComponentTrees.h"
#include "studio/ComponentValues.h"
#include "studio/DesignCommands.h"

namespace quill::studio {

using json = nlohmann::ordered_json;

namespace {

// A new design: an empty white page with its generator and header.
const char* kNewDesign = R"({
  "class": "TForm",
  "name": "Form1",
  "properties": {"Width": 648, "Height": 514, "Caption": "Form1", "Color": "clWhite"},
  "children": [
    {"class": "TQuillHtmlGenerator", "name": "QuillHtmlGenerator1"},
    {"class": "TQuillHeader", "name": "QuillHeader1", "properties": {"Left": 40, "Title": "Form1"}}
  ]
})";

void RegisterClasses() {
    RegisterQuillClasses();
    RegisterPageOneForm();
    RegisterHtmlPageForm();
}

// A design is read from and saved to regular files only: a folder cannot
// hold one, and a pipe or device would block or never end.
void CheckDesignPath(const std::string& fileName, bool mustExist) {
    if (fileName.empty()) throw Exception("no file name given");
    std::error_code error;
    const auto status = std::filesystem::status(fileName, error);
    if (!std::filesystem::exists(status)) {
        if (mustExist) throw Exception(fileName + ": no such file");
        return;
    }
    if (std::filesystem::is_directory(status)) throw Exception(fileName + ": is a folder, not a design file");
    if (!std::filesystem::is_regular_file(status)) throw Exception(fileName + ": not a regular file");
}

std::string SchemaOf(const std::string& text) {
    json design = json::parse(text, nullptr, false);
    if (design.is_object() && design.contains("$schema") && design["$schema"].is_string())
        return design["$schema"].get<std::string>();
    return {};
}

json BoundsValues(const TRect& r) {
    return {{"Left", r.Left}, {"Top", r.Top}, {"Width", r.Right - r.Left}, {"Height", r.Bottom - r.Top}};
}

// Whether `inner` is `outer` or one of the objects nested in it; `path`
// gets the nested properties that lead there (".CellFormat").
bool Holds(TPersistent& outer, const TPersistent& inner, std::string& path) {
    if (&outer == &inner) return true;
    const TClassInfo* info = outer.PublishedInfo();
    if (!info) return false;
    for (const TPropInfo* prop : info->PublishedProperties()) {
        if (prop->Kind != TPropKind::Object || !Holds(*prop->NestedObject(outer), inner, path)) continue;
        path.insert(0, "." + prop->Name);
        return true;
    }
    return false;
}

bool IsName(const std::string& name) {
    if (name.empty() || (name[0] >= '0' && name[0] <= '9')) return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        return c == '_' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    });
}

// Gives every component of the tree a free name, recording the changes.
void Rename(json& tree, TNameAllocator& names, std::unordered_map<std::string, std::string>& renames) {
    if (!tree.is_object()) return;
    const std::string old = tree.value("name", std::string());
    if (!IsName(old) || !names.Take(old)) {
        const std::string fresh = names.Fresh(tree.value("class", std::string("TComponent")));
        renames[old] = fresh;
        tree["name"] = fresh;
    }
    if (auto children = tree.find("children"); children != tree.end() && children->is_array())
        for (json& child : *children) Rename(child, names, renames);
}

std::vector<json> PastedTrees(const std::string& text) {
    json pasted = json::parse(text, nullptr, false);
    if (pasted.is_object() && pasted.contains("class")) {
        const TClassInfo* info = FindDesignClass(pasted.value("class", std::string()));
        if (!info || !info->InheritsFrom(TForm::StaticInfo())) return {pasted};
        pasted = pasted.value("children", json::array());
    }
    if (!pasted.is_array() || pasted.empty()) throw Exception("the clipboard holds no design components");
    return std::vector<json>(pasted.begin(), pasted.end());
}

}  // namespace

QPoint ClientOrigin(const TControl& control) {
    QPoint origin;
    for (const TControl* c = &control; c && c->Parent(); c = c->Parent()) origin += QPoint(c->Left(), c->Top());
    return origin;
}

TDesignDocument::TDesignDocument(QObject* parent) : TDesignEditor(parent) {
    RegisterClasses();
    FForm = ReadFormDesign(kNewDesign, "");
    connect(&FUndo, &QUndoStack::indexChanged, this, [this] { emit Changed(); });
    connect(&FUndo, &QUndoStack::cleanChanged, this, [this](bool clean) { emit DirtyChanged(!clean); });
}

TDesignDocument::~TDesignDocument() {
    // Emptying the undo stack on the way out is not a change anyone should
    // act on: an autosaved copy, above all, must stay.
    blockSignals(true);
}

void TDesignDocument::New() { Load(ReadFormDesign(kNewDesign, ""), "", ""); }

void TDesignDocument::Open(const std::string& fileName) {
    CheckDesignPath(fileName, true);
    const std::string text = platform::ReadWholeFile(fileName, TDesignLimits::kMaxFileBytes);
    Load(ReadFormDesign(text, fileName), fileName, SchemaOf(text));
}

void TDesignDocument::OpenRecovered(const std::string& fileName, const std::string& text) {
    // Refused before anything changes.
    ReadFormDesign(text, fileName.empty() ? "the recovered design" : fileName + " (recovered)");
    if (!fileName.empty() && std::filesystem::exists(fileName))
        Open(fileName);
    else
        Load(ReadFormDesign(kNewDesign, ""), fileName, SchemaOf(text));
    FUndo.push(new TReplaceCommand(*this, tr("Recover"), DesignText(), text));
}

void TDesignDocument::Load(std::unique_ptr<TForm> form, const std::string& fileName, const std::string& schema) {
    // The old form lives until the panes have heard of the new one.
    std::unique_ptr<TForm> old = std::move(FForm);
    FUndo.clear();
    FForm = std::move(form);
    FFileName = fileName;
    FSchema = schema;
    FSelection.clear();
    FUndo.setClean();
    emit FormReplaced();
    emit SelectionChanged();
    emit Changed();
    emit FileNameChanged();
    emit DirtyChanged(false);
}

void TDesignDocument::ReplaceForm(const std::string& text) {
    std::unique_ptr<TForm> form = ReadFormDesign(text, FFileName);
    std::unique_ptr<TForm> old = std::move(FForm);
    FForm = std::move(form);
    FSelection.clear();
    emit FormReplaced();
    emit SelectionChanged();
}

std::string TDesignDocument::DesignText() const { return WriteFormDesign(*FForm, FSchema); }

void TDesignDocument::Save() {
    if (FFileName.empty()) throw Exception("the design has no file yet: save it as a new file");
    SaveAs(FFileName);
}

void TDesignDocument::SaveAs(const std::string& fileName) {
    CheckDesignPath(fileName, false);
    platform::WriteFileAtomically(fileName, DesignText());
    const bool renamed = fileName != FFileName;
    FFileName = fileName;
    FUndo.setClean();
    if (renamed) emit FileNameChanged();
}

void TDesignDocument::Select(const std::vector<TComponent*>& components) {
    if (components == FSelection) return;
    FSelection = components;
    emit SelectionChanged();
}

void TDesignDocument::SetProperty(TPersistent& object, const TPropInfo& prop, const nlohmann::json& value) {
    TComponent* holder = nullptr;
    std::string path;
    for (TComponent* c : FSelection)
        if (!holder && c->Owner() == FForm.get() && Holds(*c, object, path)) holder = c;
    if (!holder && Holds(*FForm, object, path)) holder = FForm.get();
    for (int i = 0; !holder && i < FForm->ComponentCount(); ++i)
        if (Holds(*FForm->Components(i), object, path)) holder = FForm->Components(i);
    if (!holder) throw Exception(prop.Name + ": the object is not part of the design");
    const std::string place = holder->Name() + path;
    const json before = AllValues(*holder);
    ReadPropertyValue(*FForm, object, prop, value, place + "." + prop.Name);
    json after = AllValues(*holder);
    if (after == before) return;
    FUndo.push(new TValuesCommand(*this, tr("Set %1").arg(QString::fromStdString(prop.Name)),
                                  {{holder->Name(), ChangedValues(after, before), ChangedValues(before, after)}}, true));
}

void TDesignDocument::CommitBounds(const std::vector<TBoundsChange>& changes, const QString& text) {
    std::vector<TValueChange> values;
    for (const TBoundsChange& change : changes) {
        const json before = BoundsValues(change.Before);
        const json after = BoundsValues(change.Control->BoundsRect());
        if (before != after)
            values.push_back({change.Control->Name(), ChangedValues(after, before), ChangedValues(before, after)});
    }
    if (!values.empty()) FUndo.push(new TValuesCommand(*this, text, std::move(values), true));
}

void TDesignDocument::MoveBy(const std::vector<TComponent*>& components, int dx, int dy) {
    std::vector<TBoundsChange> changes;
    for (TComponent* c : Tops(components)) {
        TControl* control = c->AsControl();
        if (!control) continue;
        changes.push_back({control, control->BoundsRect()});
        control->ChangeBounds(control->Left() + dx, control->Top() + dy, control->Width(), control->Height());
    }
    CommitBounds(changes, tr("Move"));
}

TComponent& TDesignDocument::Add(const TClassInfo& info, TWinControl& parent, int left, int top) {
    TNameAllocator names(*FForm);
    const std::string name = names.Fresh(info.Name);
    json props = json::object();
    if (info.FindProperty("Left")) props["Left"] = left;
    if (info.FindProperty("Top")) props["Top"] = top;
    if (info.IsControl) {
        // A control made with no size could not be seen or picked.
        std::unique_ptr<TComponent> sample(info.Create(nullptr));
        if (sample->AsControl()->Width() <= 0) props["Width"] = 120;
        if (sample->AsControl()->Height() <= 0) props["Height"] = 24;
    }
    if (const TPropInfo* caption = info.FindProperty("Caption"); caption && caption->Kind == TPropKind::String)
        props["Caption"] = name;
    json tree = {{"class", info.Name}, {"name", name}, {"properties", props}};
    std::vector<TComponent*> made = CreateComponentTrees(*FForm, parent, {tree});
    FUndo.push(new TInsertCommand(*this, tr("Add %1").arg(QString::fromStdString(name)), parent.Name(),
                                  {WriteComponentTree(*FForm, *made.front())}, true));
    Select(made);
    return *made.front();
}

void TDesignDocument::Delete(const std::vector<TComponent*>& components) {
    std::vector<std::string> names;
    for (TComponent* c : Tops(components)) names.push_back(c->Name());
    if (!names.empty()) FUndo.push(new TDeleteCommand(*this, tr("Delete"), std::move(names)));
}

void TDesignDocument::Cut(const std::vector<TComponent*>& components) {
    std::vector<std::string> names;
    for (TComponent* c : Tops(components)) names.push_back(c->Name());
    if (!names.empty()) FUndo.push(new TDeleteCommand(*this, tr("Cut"), std::move(names)));
}

void TDesignDocument::Reparent(const std::vector<TComponent*>& components, TWinControl& parent) {
    if (!parent.PublishedInfo()->AcceptsChildren) return;
    const QPoint into = ClientOrigin(parent);
    std::vector<TPlaceCommand::TTarget> targets;
    for (TComponent* c : Tops(components)) {
        TControl* control = c->AsControl();
        if (!control || !control->Parent() || control->Parent() == &parent || control->IsAncestorOf(parent)) continue;
        const QPoint at = ClientOrigin(*control) - into;
        targets.push_back({control->Name(), at.x(), at.y()});
    }
    if (!targets.empty())
        FUndo.push(new TPlaceCommand(*this, tr("Move into %1").arg(QString::fromStdString(parent.Name())),
                                     TPlaceCommand::TKind::Reparent, std::move(targets), parent.Name()));
}

namespace {

// The controls among the components in their stacking order, bottom first.
std::vector<TPlaceCommand::TTarget> Stacked(const std::vector<TComponent*>& components) {
    std::vector<std::pair<int, TControl*>> controls;
    for (TComponent* c : components)
        if (TControl* control = c->AsControl(); control && control->Parent())
            controls.push_back({control->Parent()->ControlIndex(control), control});
    std::stable_sort(controls.begin(), controls.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<TPlaceCommand::TTarget> targets;
    for (const auto& [index, control] : controls) targets.push_back({control->Name()});
    return targets;
}

}  // namespace

void TDesignDocument::BringToFront(const std::vector<TComponent*>& components) {
    std::vector<TPlaceCommand::TTarget> targets = Stacked(Tops(components));
    if (!targets.empty())
        FUndo.push(new TPlaceCommand(*this, tr("Bring to front"), TPlaceCommand::TKind::Front, std::move(targets)));
}

void TDesignDocument::SendToBack(const std::vector<TComponent*>& components) {
    std::vector<TPlaceCommand::TTarget> targets = Stacked(Tops(components));
    // The topmost goes back first, so that they keep their order.
    std::reverse(targets.begin(), targets.end());
    if (!targets.empty())
        FUndo.push(new TPlaceCommand(*this, tr("Send to back"), TPlaceCommand::TKind::Back, std::move(targets)));
}

std::string TDesignDocument::CopyText(const std::vector<TComponent*>& components) const {
    json list = json::array();
    for (TComponent* c : Tops(components)) list.push_back(WriteComponentTree(*FForm, *c));
    return list.empty() ? std::string() : list.dump(2) + "\n";
}

std::vector<TComponent*> TDesignDocument::Paste(const std::string& text, TWinControl& parent, int offset) {
    std::vector<json> trees = PastedTrees(text);
    TNameAllocator names(*FForm);
    std::unordered_map<std::string, std::string> renames;
    for (json& tree : trees) {
        const std::string old = tree.value("name", std::string());
        Rename(tree, names, renames);
        auto props = tree.find("properties");
        if (!renames.count(old) || props == tree.end() || !props->is_object()) continue;
        for (const char* edge : {"Left", "Top"})
            if (auto value = props->find(edge); value != props->end() && value->is_number_integer())
                *value = value->get<int64_t>() + offset;
    }
    std::vector<TComponent*> made = CreateComponentTrees(*FForm, parent, trees, renames);
    std::vector<json> stored;
    for (TComponent* c : made) stored.push_back(WriteComponentTree(*FForm, *c));
    FUndo.push(new TInsertCommand(*this, tr("Paste"), parent.Name(), std::move(stored), true));
    Select(made);
    return made;
}

std::vector<TComponent*> TDesignDocument::Duplicate(const std::vector<TComponent*>& components) {
    std::vector<TComponent*> tops = Tops(components);
    if (tops.empty()) return {};
    TControl* first = tops.front()->AsControl();
    TWinControl& parent = first && first->Parent() ? *first->Parent() : *FForm;
    return Paste(CopyText(tops), parent);
}

std::unordered_map<std::string, TComponent*> TDesignDocument::NameIndex() const {
    std::unordered_map<std::string, TComponent*> index;
    index.reserve(static_cast<size_t>(FForm->ComponentCount()) + 1);
    index.emplace(LowerCase(FForm->Name()), FForm.get());
    for (int i = 0; i < FForm->ComponentCount(); ++i)
        index.emplace(LowerCase(FForm->Components(i)->Name()), FForm->Components(i));
    return index;
}

void TDesignDocument::Destroy(const std::vector<TComponent*>& components) {
    const std::unordered_set<TComponent*> doomed(components.begin(), components.end());
    const size_t before = FSelection.size();
    std::erase_if(FSelection, [&](TComponent* c) { return doomed.count(c) > 0; });
    DestroyComponents(components);
    if (FSelection.size() != before) emit SelectionChanged();
}

void TDesignDocument::NotifyChanged() { emit Changed(); }

std::vector<TComponent*> TDesignDocument::Tops(const std::vector<TComponent*>& components) const {
    const std::unordered_set<const TComponent*> listed(components.begin(), components.end());
    std::vector<TComponent*> tops;
    std::unordered_set<const TComponent*> seen;
    for (TComponent* c : components) {
        if (c == FForm.get() || c->Owner() != FForm.get() || !seen.insert(c).second) continue;
        bool inside = false;
        if (const TControl* control = c->AsControl())
            for (const TControl* p = control->Parent(); p && !inside; p = p->Parent()) inside = listed.count(p) > 0;
        if (!inside) tops.push_back(c);
    }
    return tops;
}

}  // namespace quill::studio
