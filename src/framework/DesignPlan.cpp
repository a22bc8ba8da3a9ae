#include "framework/DesignPlan.h"

#include <algorithm>

#include "framework/Exception.h"

namespace quill {

void TFormAssembly::Start(TForm& form, std::string_view name, size_t components) {
    FForm = &form;
    if (components > 0) {
        FCreated.reserve(components);
        FContainers.reserve(components);
        form.ReserveComponents(components - 1);
    }
    form.SetName(std::string(name));
    form.SetLoading(true);
    form.DisableAlign();
    FContainers.push_back(&form);
    FCreated.push_back(&form);
}

TComponent& TFormAssembly::AddChild(const TClassInfo& info, std::string_view name, TComponent& parent) {
    TComponent* created = info.Create(FForm);
    created->SetName(std::string(name));
    created->SetLoading(true);
    if (TControl* control = created->AsControl()) {
        if (TWinControl* container = control->AsWinControl()) {
            container->DisableAlign();
            FContainers.push_back(container);
        }
        control->SetParent(parent.AsControl() ? parent.AsControl()->AsWinControl() : nullptr);
    }
    FCreated.push_back(created);
    return *created;
}

void TFormAssembly::Finish() {
    // Containers realign once, parents before children, now that every
    // child has its designed values (one realign per aligned child would
    // cost the square of the children); again after loading, if sizing
    // a control moved its aligned siblings.
    for (TWinControl* c : FContainers) {
        c->EnableAlign();
        c->DisableAlign();
    }
    for (TComponent* c : FCreated) c->AfterLoad();
    for (TWinControl* c : FContainers) c->EnableAlign();
}

std::unique_ptr<TForm> TDesignPlan::CreateForm(const std::string& fileName) const {
    using TKind = TDesignStep::TKind;
    TFormAssembly assembly;
    std::unique_ptr<TForm> form;
    // The object values go to: a component, then nested objects within it.
    std::vector<TPersistent*> targets;
    struct TReference {
        TPersistent* Target;
        const TDesignStep* Step;
    };
    std::vector<TReference> references;
    const auto components = static_cast<size_t>(std::count_if(
        Steps.begin(), Steps.end(), [](const TDesignStep& step) { return step.Kind == TKind::Create; }));
    for (const TDesignStep& step : Steps) {
        switch (step.Kind) {
        case TKind::Create:
            if (!form) {
                // The reader made sure the root's class is a form.
                form.reset(static_cast<TForm*>(step.Class->Create(nullptr)));
                assembly.Start(*form, step.Text, components);
                form->SetDesignFolder(DesignFolderOf(fileName));
                targets.assign(1, form.get());
            } else {
                targets.assign(1, &assembly.AddChild(*step.Class, step.Text, *assembly.Created()[step.Index]));
            }
            break;
        case TKind::Ordinal:
            step.Prop->SetOrd(*targets.back(), step.Ordinal);
            break;
        case TKind::String:
            step.Prop->SetString(*targets.back(), step.Text);
            break;
        case TKind::Enter:
            targets.push_back(step.Prop->NestedObject(*targets.back()));
            break;
        case TKind::Leave:
            targets.pop_back();
            break;
        case TKind::Event:
            step.Prop->SetEvent(*targets.back(), step.Method->Bind(*form));
            break;
        case TKind::Reference:
            references.push_back({targets.back(), &step});
            break;
        }
    }
    for (const TReference& ref : references)
        ref.Step->Prop->SetReference(*ref.Target, assembly.Created()[ref.Step->Index]);
    try {
        form->BindComponents();
    } catch (const Exception& e) {
        throw Exception(fileName + ": " + form->Name() + ": " + e.Message());
    }
    assembly.Finish();
    return form;
}

}  // namespace quill
