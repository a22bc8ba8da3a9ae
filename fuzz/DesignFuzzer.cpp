// Feeds arbitrary bytes through the design reader and every page generator
// of the form it makes. Whatever the bytes, the run must end in a page or a
// quill::Exception: any other exception, crash, leak, hang or undefined
// behaviour is a finding. So is a text the plain parser reads otherwise
// than the full parser, or reads where the full parser refuses it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "aspserver/PageOne.h"
#include "controls/QuillClasses.h"
#include "framework/DesignJson.h"
#include "framework/DesignTree.h"
#include "framework/Exception.h"
#include "framework/FormReader.h"
#include "page/QuillGenerator.h"

namespace {

void CheckParsersAgree(const std::string& text) {
    std::unique_ptr<quill::TDesignTree> plain = quill::TDesignTree::ParsePlain(text);
    try {
        auto full = quill::TDesignTree::FromJson(quill::ParseDesignJson(text, "fuzz.form.json"));
        if (plain && !plain->Root().SameAs(full->Root())) __builtin_trap();
    } catch (const quill::Exception&) {
        if (plain) __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool registered = [] {
        quill::RegisterQuillClasses();
        quill::RegisterPageOneForm();
        return true;
    }();
    (void)registered;
    const std::string text(reinterpret_cast<const char*>(data), size);
    CheckParsersAgree(text);
    try {
        std::unique_ptr<quill::TForm> form = quill::ReadFormDesign(text, "fuzz.form.json");
        for (int i = 0; i < form->ComponentCount(); ++i)
            if (auto* generator = dynamic_cast<quill::TQuillHtmlGenerator*>(form->Components(i)))
                generator->Generate();
    } catch (const quill::Exception&) {
        // A clear refusal is a fine outcome.
    }
    return 0;
}
