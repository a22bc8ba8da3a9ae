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
    int code = FWindows->Run(*MainForm());
    // The program ends with its main form; nothing outlives the loop.
    FForms.clear();
    return code;
}

std::string TApplication::ExeName() const { return platform::ProgramPath(); }

TApplication& Application() {
    static TApplication application;
    return application;
}

}  // namespace quill
