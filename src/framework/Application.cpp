#include "framework/Application.h"

#include "framework/Exception.h"
#include "framework/StandardClasses.h"
#include "platform/ProgramPath.h"

namespace quill {

void TApplication::Initialize(TWindowSystem& windows) {
    RegisterStandardClasses();
    FWindows = &windows;
}

void TApplication::AddForm(std::unique_ptr<TForm> form) {
    if (!form) throw Exception("CreateForm: no form given");
    FForms.push_back(std::move(form));
}

int TApplication::Run() {
    if (!FWindows) throw Exception("the application runs forms only after Initialize");
    if (!MainForm()) throw Exception("the application has no main form to run");
    // The program ends with its main form, also when the loop fails:
    // nothing may be left for the destruction of statics.
    struct TFormsFreer {
        std::vector<std::unique_ptr<TForm>>& Forms;
        ~TFormsFreer() { Forms.clear(); }
    } freer{FForms};
    return FWindows->Run(*MainForm());
}

std::string TApplication::ExeName() const { return platform::ProgramPath(); }

TApplication& Application() {
    static TApplication application;
    return application;
}

}  // namespace quill
