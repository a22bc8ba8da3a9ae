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

// Reads a form whose root must be of class F (or derive from it).
template <class F>
std::unique_ptr<F> ReadFormDesignAs(const std::string& text, const std::string& fileName) {
    std::unique_ptr<TForm> form = ReadFormDesign(text, fileName);
    F* typed = dynamic_cast<F*>(form.get());
    if (!typed)
        throw Exception(fileName + ": " + form->Name() + ": the design is a " + form->ClassName() + ", not a " +
                        F::StaticInfo().Name);
    form.release();
    return std::unique_ptr<F>(typed);
}

}  // namespace quill
