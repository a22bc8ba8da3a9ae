#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include "TestSupport.h"
#include "aspserver/PageOne.h"
#include "controls/QuillClasses.h"
#include "framework/Exception.h"
#include "framework/FormReader.h"
#include "framework/FormWriter.h"
#include "page/QuillGenerator.h"

namespace quill {
namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TQuillHtmlGenerator& GeneratorOf(TForm& form) {
    for (int i = 0; i < form.ComponentCount(); ++i)
        if (auto* g = dynamic_cast<TQuillHtmlGenerator*>(form.Components(i))) return *g;
    throw Exception("no generator");
}

TEST(FormDesignCache, FormsFromAReadDesignEqualFormsReadFromText) {
    RegisterQuillClasses();
    for (const char* name : {"two-columns", "contact-card", "links-and-header"}) {
        const std::string text = ReadFile(std::string(QUILL_SOURCE_DIR) + "/examples/" + name + ".form.json");
        const TFormDesign design(text, name);
        auto direct = ReadFormDesign(text, name);
        auto first = design.CreateForm();
        auto second = design.CreateForm();
        EXPECT_EQ(WriteFormDesign(*first), WriteFormDesign(*direct)) << name;
        EXPECT_EQ(GeneratorOf(*second).Generate()->Text(), GeneratorOf(*direct).Generate()->Text()) << name;
    }
}

TEST(FormDesignCache, ABadDesignIsRefusedWhenRead) {
    RegisterQuillClasses();
    EXPECT_THROW(TFormDesign("{", "broken.json"), Exception);
    EXPECT_THROW(TFormDesign(R"({"class": "TForm", "name": "F", "properties": {"Nope": 1}})", "unknown.json"),
                 Exception);
}

TEST(FormDesignCache, EachFormIsItsOwn) {
    auto a = TPageOneForm::Create();
    auto b = TPageOneForm::Create();
    a->QuillLabel1->SetCaption("changed");
    EXPECT_EQ(b->QuillLabel1->Caption(), "Hominahomina.");
    EXPECT_EQ(b->QuillHtmlGenerator1->Generate()->Text().find("changed"), std::string::npos);
}

TEST(FormDesignCache, ThreadsCreatePageOneFormsAtOnce) {
    const std::string expected = TPageOneForm::Create()->QuillHtmlGenerator1->Generate()->Text();
    std::vector<int> mismatches(4, 0);
    std::vector<std::thread> threads;
    for (size_t t = 0; t < mismatches.size(); ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < 200; ++i)
                if (TPageOneForm::Create()->QuillHtmlGenerator1->Generate()->Text() != expected) ++mismatches[t];
        });
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(mismatches, std::vector<int>(4, 0));
}

}  // namespace
}  // namespace quill
