// Only in QuillAspTest.dll: the seams and the exports its test host uses.
#include "aspserver/TestSeams.h"

#include <windows.h>

#include <atomic>
#include <optional>

#include "aspserver/ComError.h"
#include "aspserver/PageOne.h"

namespace quill::asp {

namespace {

std::atomic<int> gFailStep{0};
std::atomic<int> gStepsRun{0};
std::atomic<long> gLiveForms{0};
std::optional<std::string> gCaption;

// Owned by a page form, so it goes when the form is freed.
class TLiveFormMarker : public TComponent {
public:
    explicit TLiveFormMarker(TComponent* owner) : TComponent(owner) { ++gLiveForms; }
    ~TLiveFormMarker() override { --gLiveForms; }
};

}  // namespace

void RegistryStep(const std::string& step) {
    if (++gStepsRun == gFailStep.load())
        throw EOleSysError("Injected failure of " + step, HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED));
}

void PreparePageForm(TPageOneForm& form) {
    new TLiveFormMarker(&form);
    if (gCaption) form.QuillLabel1->SetCaption(*gCaption);
}

}  // namespace quill::asp

using namespace quill::asp;

// Makes the step-th registry step from now on fail (0: none) and starts
// counting the steps afresh.
extern "C" void WINAPI QuillAspTestFailStep(int step) {
    gFailStep = step;
    gStepsRun = 0;
}

// The registry steps taken since QuillAspTestFailStep.
extern "C" int WINAPI QuillAspTestStepsRun() { return gStepsRun.load(); }

// The caption of the next pages' label, in UTF-8; null for the designed one.
extern "C" void WINAPI QuillAspTestSetCaption(const char* utf8) {
    if (utf8)
        gCaption = utf8;
    else
        gCaption.reset();
}

// Page forms made and not yet freed.
extern "C" long WINAPI QuillAspTestLiveForms() { return gLiveForms.load(); }
