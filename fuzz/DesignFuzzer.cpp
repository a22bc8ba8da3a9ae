// Feeds arbitrary bytes through the design reader and every page generator
// of the form it makes. Whatever the bytes, the run must end in a page or a
// quill::Exception: any other exception, crash, leak, hang or undefined
// behaviour is a finding.
#include <cstddef>
#include <cstdint>
#include <string>

#include "aspserver/PageOne.h"
#include "controls/QuillClasses.h"
#include "framework/Exception.h"
#include "framework/FormReader.h"
#include "page/QuillGenerator.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool registered = [] {
        quill::RegisterQuillClasses();
        quill::RegisterPageOneForm();
        return true;
    }();
    (void)registered;
    try {
        std::unique_ptr<quill::TForm> form =
            quill::ReadFormDesign(std::string(reinterpret_cast<const char*>(data), size), "fuzz.form.json");
        for (int i = 0; i < form->ComponentCount(); ++i)
            if (auto* generator = dynamic_cast<quill::TQuillHtmlGenerator*>(form->Components(i)))
                generator->Generate();
    } catch (const quill::Exception&) {
        // A clear refusal is a fine outcome.
    }
    return 0;
}
