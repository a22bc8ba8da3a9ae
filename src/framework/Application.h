#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/Form.h"

namespace quill {

// Shows forms on screen. The desktop host supplies one; the framework
// itself knows no window system.
class TWindowSystem {
public:
    virtual ~TWindowSystem() = default;
    // Shows the main form and runs the message loop until it closes;
    // returns the program's exit code.
    virtual int Run(TForm& mainForm) = 0;
};

// The desktop program: its forms, its message loop and its own file.
class TApplication {
public:
    // Makes the framework's classes known to the design reader and takes
    // the window system that will show the forms.
    void Initialize(TWindowSystem& windows);
    // Takes over a form; the first one taken becomes the main form.
    template <class F>
    F& CreateForm(std::unique_ptr<F> form) {
        F& result = *form;
        AddForm(std::move(form));
        return result;
    }
    TForm* MainForm() const { return FForms.empty() ? nullptr : FForms.front().get(); }
    // Runs the message loop until the main form closes, then frees the
    // forms; returns the exit code. Raises Exception before Initialize or
    // without a main form.
    int Run();

    // The absolute path of the running program's file.
    std::string ExeName() const;

private:
    void AddForm(std::unique_ptr<TForm> form);

    TWindowSystem* FWindows = nullptr;
    std::vector<std::unique_ptr<TForm>> FForms;
};

// The program's one application object.
TApplication& Application();

}  // namespace quill
