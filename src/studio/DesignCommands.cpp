#include "studio/DesignCommands.h"

#include <QtGlobal>
#include <algorithm>
#include <unordered_set>

#include "framework/Exception.h"
#include "framework/PropertyValue.h"
#include "framework/TextHelpers.h"
#include "studio/ComponentTrees.h"
#include "studio/ComponentValues.h"
#include "studio/DesignDocument.h"

namespace quill::studio {

namespace {

using TNameIndex = std::unordered_map<std::string, TComponent*>;

TComponent* Find(const TNameIndex& index, const std::string& name) {
    auto it = index.find(LowerCase(name));
    return it == index.end() ? nullptr : it->second;
}

TControl* FindControl(const TNameIndex& index, const std::string& name) {
    TComponent* c = Find(index, name);
    return c ? c->AsControl() : nullptr;
}

TWinControl* FindContainer(const TNameIndex& index, const std::string& name) {
    TControl* c = FindControl(index, name);
    return c ? c->AsWinControl() : nullptr;
}

std::string ParentName(const TForm& form, const TComponent& component) {
    const TControl* control = component.AsControl();
    return control && control->Parent() ? control->Parent()->Name() : form.Name();
}

// An undo step cannot refuse: a value the form took once it takes again.
// Should that rule ever break, the step goes on with the other values.
void Warn(const Exception& e) { qWarning("QuillStudio: %s", e.Message().c_str()); }

}  // namespace

TValuesCommand::TValuesCommand(TDesignDocument& document, const QString& text, std::vector<TValueChange> changes,
                               bool applied)
    : QUndoCommand(text), FDocument(document), FChanges(std::move(changes)), FSkipRedo(applied) {}

void TValuesCommand::redo() {
    if (FSkipRedo) {
        FSkipRedo = false;
        return;
    }
    Apply(true);
}

void TValuesCommand::undo() { Apply(false); }

void TValuesCommand::Apply(bool after) {
    const TNameIndex index = FDocument.NameIndex();
    auto applyOne = [&](const TValueChange& change) {
        TComponent* component = Find(index, change.Component);
        if (!component) return;
        try {
            ApplyValues(FDocument.Form(), *component, after ? change.After : change.Before, change.Component);
        } catch (const Exception& e) {
            Warn(e);
        }
    };
    if (after)
        std::for_each(FChanges.begin(), FChanges.end(), applyOne);
    else
        std::for_each(FChanges.rbegin(), FChanges.rend(), applyOne);
}

TInsertCommand::TInsertCommand(TDesignDocument& document, const QString& text, std::string parent,
                               std::vector<nlohmann::ordered_json> trees, bool applied)
    : QUndoCommand(text), FDocument(document), FParent(std::move(parent)), FTrees(std::move(trees)), FSkipRedo(applied) {}

void TInsertCommand::redo() {
    if (FSkipRedo) {
        FSkipRedo = false;
        return;
    }
    const TNameIndex index = FDocument.NameIndex();
    TWinControl* parent = FindContainer(index, FParent);
    if (!parent) return;
    try {
        FDocument.Select(CreateComponentTrees(FDocument.Form(), *parent, FTrees));
    } catch (const Exception& e) {
        Warn(e);
    }
}

void TInsertCommand::undo() {
    const TNameIndex index = FDocument.NameIndex();
    std::vector<TComponent*> doomed;
    for (const auto& tree : FTrees)
        if (TComponent* top = Find(index, tree.value("name", std::string())))
            for (TComponent* c : DesignedSubtree(FDocument.Form(), *top)) doomed.push_back(c);
    FDocument.Destroy(doomed);
}

TDeleteCommand::TDeleteCommand(TDesignDocument& document, const QString& text, std::vector<std::string> names)
    : QUndoCommand(text), FDocument(document), FNames(std::move(names)) {
    TForm& form = FDocument.Form();
    const TNameIndex index = FDocument.NameIndex();
    std::unordered_set<const TComponent*> doomed;
    std::vector<TComponent*> all;
    for (const std::string& name : FNames) {
        TComponent* top = Find(index, name);
        if (!top) continue;
        FTops.push_back({ParentName(form, *top), WriteComponentTree(form, *top)});
        for (TComponent* c : DesignedSubtree(form, *top)) {
            doomed.insert(c);
            all.push_back(c);
        }
    }
    for (int i = 0; i < form.ComponentCount(); ++i)
        if (doomed.count(form.Components(i))) FOwned.push_back({form.Components(i)->Name(), i});
    // Each parent's children counted once, however many of them go.
    std::unordered_map<const TControl*, int> childIndex;
    for (TComponent* c : all) {
        TControl* control = c->AsControl();
        if (!control || !control->Parent()) continue;
        if (!childIndex.count(control)) {
            const TWinControl& parent = *control->Parent();
            for (int i = 0; i < parent.ControlCount(); ++i) childIndex.emplace(parent.Controls(i), i);
        }
        FChildren.push_back({c->Name(), childIndex.at(control)});
    }
    std::sort(FChildren.begin(), FChildren.end(), [](const TPosition& a, const TPosition& b) { return a.Index < b.Index; });
    // Every reference into what goes, from anywhere, nested objects included.
    auto scan = [&](auto& self, const std::string& holder, TPersistent& object, std::vector<std::string>& path) -> void {
        const TClassInfo* info = object.PublishedInfo();
        if (!info) return;
        for (const TPropInfo* prop : info->PublishedProperties()) {
            if (prop->Kind == TPropKind::Object) {
                path.push_back(prop->Name);
                self(self, holder, *prop->NestedObject(object), path);
                path.pop_back();
            } else if (prop->Kind == TPropKind::Reference) {
                if (const TComponent* target = prop->GetReference(object); target && doomed.count(target))
                    FReferences.push_back({holder, path, prop->Name, target->Name()});
            }
        }
    };
    std::vector<std::string> path;
    scan(scan, form.Name(), form, path);
    for (int i = 0; i < form.ComponentCount(); ++i) scan(scan, form.Components(i)->Name(), *form.Components(i), path);
}

void TDeleteCommand::redo() {
    const TNameIndex index = FDocument.NameIndex();
    std::vector<TComponent*> doomed;
    for (const std::string& name : FNames)
        if (TComponent* top = Find(index, name))
            for (TComponent* c : DesignedSubtree(FDocument.Form(), *top)) doomed.push_back(c);
    FDocument.Destroy(doomed);
}

void TDeleteCommand::undo() {
    TForm& form = FDocument.Form();
    std::vector<std::string> made;
    for (const TTop& top : FTops) {
        TWinControl* parent = FindContainer(FDocument.NameIndex(), top.Parent);
        if (!parent) continue;
        try {
            CreateComponentTrees(form, *parent, {top.Tree});
            made.push_back(top.Tree.value("name", std::string()));
        } catch (const Exception& e) {
            Warn(e);
        }
    }
    const TNameIndex index = FDocument.NameIndex();
    // Put back in ascending places, each list comes out as it was.
    for (const TPosition& p : FOwned)
        if (TComponent* c = Find(index, p.Name)) form.MoveComponent(c, p.Index);
    for (const TPosition& p : FChildren)
        if (TControl* c = FindControl(index, p.Name); c && c->Parent()) c->Parent()->MoveControl(c, p.Index);
    for (const TReference& ref : FReferences) {
        TPersistent* holder = Find(index, ref.Holder);
        if (!holder) continue;
        for (const std::string& step : ref.Path)
            holder = holder->PublishedInfo()->FindProperty(step)->NestedObject(*holder);
        try {
            ReadPropertyValue(form, *holder, *holder->PublishedInfo()->FindProperty(ref.Prop), ref.Target,
                              ref.Holder + "." + ref.Prop);
        } catch (const Exception& e) {
            Warn(e);
        }
    }
    std::vector<TComponent*> selection;
    for (const std::string& name : made)
        if (TComponent* c = Find(index, name)) selection.push_back(c);
    FDocument.Select(selection);
}

TPlaceCommand::TPlaceCommand(TDesignDocument& document, const QString& text, TKind kind,
                             std::vector<TTarget> targets, std::string parent)
    : QUndoCommand(text), FDocument(document), FKind(kind), FTargets(std::move(targets)), FParent(std::move(parent)) {}

void TPlaceCommand::redo() {
    TForm& form = FDocument.Form();
    const TNameIndex index = FDocument.NameIndex();
    TWinControl* into = FKind == TKind::Reparent ? FindContainer(index, FParent) : nullptr;
    if (FKind == TKind::Reparent && !into) return;
    FOld.clear();
    for (const TTarget& target : FTargets) {
        TControl* c = FindControl(index, target.Name);
        if (!c || !c->Parent()) continue;
        TWinControl* parent = c->Parent();
        FOld.push_back({c->Name(), parent->Name(), form.ComponentIndex(c), parent->ControlIndex(c), c->Left(), c->Top()});
        switch (FKind) {
        case TKind::Reparent:
            c->SetParent(into);
            form.MoveComponent(c, form.ComponentCount() - 1);
            c->ChangeBounds(target.Left, target.Top, c->Width(), c->Height());
            break;
        case TKind::Front:
            form.MoveComponent(c, form.ComponentCount() - 1);
            parent->MoveControl(c, parent->ControlCount() - 1);
            break;
        case TKind::Back: {
            // Before its first sibling in the form's order.
            int first = 0;
            while (first < form.ComponentCount()) {
                const TControl* other = form.Components(first)->AsControl();
                if (other && other->Parent() == parent) break;
                ++first;
            }
            form.MoveComponent(c, first);
            parent->MoveControl(c, 0);
            break;
        }
        }
    }
}

void TPlaceCommand::undo() {
    TForm& form = FDocument.Form();
    const TNameIndex index = FDocument.NameIndex();
    for (auto old = FOld.rbegin(); old != FOld.rend(); ++old) {
        TControl* c = FindControl(index, old->Name);
        TWinControl* parent = FindContainer(index, old->Parent);
        if (!c || !parent) continue;
        c->SetParent(parent);
        parent->MoveControl(c, old->Child);
        form.MoveComponent(c, old->Owned);
        c->ChangeBounds(old->Left, old->Top, c->Width(), c->Height());
    }
}

TReplaceCommand::TReplaceCommand(TDesignDocument& document, const QString& text, std::string before, std::string after)
    : QUndoCommand(text), FDocument(document), FBefore(std::move(before)), FAfter(std::move(after)) {}

void TReplaceCommand::redo() {
    try {
        FDocument.ReplaceForm(FAfter);
    } catch (const Exception& e) {
        Warn(e);
    }
}

void TReplaceCommand::undo() {
    try {
        FDocument.ReplaceForm(FBefore);
    } catch (const Exception& e) {
        Warn(e);
    }
}

}  // namespace quill::studio
