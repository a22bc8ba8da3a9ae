#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/Form.h"
#include "framework/TypeInfo.h"

namespace quill {

// Makes a form's components in design order and loads them: shared by the
// design reader and TDesignPlan, so that both make forms the same way.
class TFormAssembly {
public:
    // Takes the new root form and sets it loading; `components` of the
    // form's, itself included, are coming, if known.
    void Start(TForm& form, std::string_view name, size_t components = 0);
    // Creates a component of class `info` owned by the form, names it, sets
    // it loading and, if it is a control, places it in `parent`.
    TComponent& AddChild(const TClassInfo& info, std::string_view name, TComponent& parent);
    // Once every value is set and the form's fields are bound: realigns
    // and runs AfterLoad.
    void Finish();

    TForm& Form() const { return *FForm; }
    const std::vector<TComponent*>& Created() const { return FCreated; }

private:
    TForm* FForm = nullptr;
    std::vector<TComponent*> FCreated;      // in creation order, the form first
    std::vector<TWinControl*> FContainers;  // in creation order, parents first
};

// One thing the reader did to make a form from its design.
struct TDesignStep {
    enum class TKind {
        Create,     // a component of Class named Text; Index: its parent's creation index
        Ordinal,    // Prop set to Ordinal on the current object
        String,     // Prop set to Text
        Enter,      // the nested object of Prop becomes the current object
        Leave,      // back to the object that held it
        Event,      // Prop bound to the form's handler Method
        Reference,  // Prop set to the component of creation index Index, once all exist
    };
    TKind Kind = TKind::Create;
    const TClassInfo* Class = nullptr;
    const TPropInfo* Prop = nullptr;
    const TMethodInfo* Method = nullptr;
    size_t Index = 0;
    int64_t Ordinal = 0;
    std::string Text = {};
};

// What reading a design did, recorded once so that further forms are made
// by doing it again: the same construction, values in the same order, the
// same handlers and references and the same loading steps, without the
// JSON and without the checks the first reading passed. Immutable once
// recorded, so any number of threads may make forms from it at once.
class TDesignPlan {
public:
    std::vector<TDesignStep> Steps;  // the first creates the form

    // `fileName` only places an Exception from binding the form's fields.
    std::unique_ptr<TForm> CreateForm(const std::string& fileName) const;
};

}  // namespace quill
