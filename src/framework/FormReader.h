#pragma once

#include <memory>
#include <string>

#include "framework/Exception.h"
#include "framework/Form.h"
#include "framework/TypeInfo.h"

namespace quill {

// Creates a form from its stored design (JSON text). `fileName` names the
// source in messages. Raises Exception naming the file, the object path and
// the problem; nothing created before the error survives it.
std::unique_ptr<TForm> ReadFormDesign(const std::string& text, const std::string& fileName);

// The same, reading the design from a file.
std::unique_ptr<TForm> LoadFormDesign(const std::string& fileName);

// A stored design read once into an immutable form that any number of
// threads may create forms from at the same time. Each form is made with
// the same construction, loading and AfterLoad steps as ReadFormDesign.
class TFormDesign {
public:
    // Reads and checks the design, raising as ReadFormDesign does.
    TFormDesign(const std::string& text, std::string fileName);
    ~TFormDesign();
    TFormDesign(const TFormDesign&) = delete;
    TFormDesign& operator=(const TFormDesign&) = delete;

    std::unique_ptr<TForm> CreateForm() const;
    const std::string& FileName() const { return FFileName; }

private:
    struct TStored;
    std::unique_ptr<const TStored> FStored;
    std::string FFileName;
};

// The form as a form of class F (or one derived from it), else Exception.
template <class F>
std::unique_ptr<F> FormAs(std::unique_ptr<TForm> form, const std::string& fileName) {
    F* typed = ExactOrDynamicCast<F>(form.get());
    if (!typed)
        throw Exception(fileName + ": " + form->Name() + ": the design is a " + form->ClassName() + ", not a " +
                        F::StaticInfo().Name);
    form.release();
    return std::unique_ptr<F>(typed);
}

// Reads a form whose root must be of class F (or derive from it).
template <class F>
std::unique_ptr<F> ReadFormDesignAs(const std::string& text, const std::string& fileName) {
    return FormAs<F>(ReadFormDesign(text, fileName), fileName);
}

}  // namespace quill
