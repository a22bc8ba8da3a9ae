// The reader against hostile designs: every one ends in a single-line
// Exception that names the file and the place, or in a form.
#include <gtest/gtest.h>

#include <string>

#include "HostileDesigns.h"
#include "framework/DesignLimits.h"
#include "framework/Exception.h"
#include "framework/FormReader.h"
#include "framework/Panel.h"
#include "framework/StandardClasses.h"

namespace quill {
namespace {

class DesignReaderSafety : public ::testing::Test {
protected:
    void SetUp() override { RegisterStandardClasses(); }
};

std::string Refusal(const std::string& design) {
    try {
        ReadFormDesign(design, "bad.json");
    } catch (const Exception& e) {
        EXPECT_EQ(std::string(e.what()).find('\n'), std::string::npos) << e.what();
        return e.what();
    }
    return "(accepted)";
}

using test::NestedPanels;
using test::StackedPanels;

TEST_F(DesignReaderSafety, RefusesWhatTheJsonLibraryWouldAcceptOrAbortOn) {
    struct Case {
        std::string design;
        std::string message;
    } cases[] = {
        {R"({"class": "TForm", "name": "F", "properties": {"Width": 1e400}})",
         "bad.json:1:61: invalid JSON: number overflow parsing '1e400'"},
        {R"({"class": "TForm", "name": "F", "properties": {"Width": -1E+999}})",
         "bad.json:1:63: invalid JSON: number overflow parsing '-1E+999'"},
        {R"({"class": "TForm", "name": "F", "name": "G"})", "bad.json: (root): duplicate key \"name\""},
        {R"({"class": "TForm", "name": "F", "children": [{"class": "TPanel", "name": "P"},
            {"class": "TPanel", "name": "Q", "properties": {"Left": 1, "Top": 2, "Left": 3}}]})",
         "bad.json: (root).children[1].properties: duplicate key \"Left\""},
        {R"({"class": "TForm", "name": "F", "properties": {"Caption": ")" +
             std::string(TDesignLimits::kMaxStringBytes + 1, 'x') + "\"}}",
         "bad.json: (root).properties: a string longer than 1048576 bytes"},
        {std::string(TDesignLimits::kMaxFileBytes + 1, ' '), "bad.json: the design is larger than 16777216 bytes"},
        {std::string(20000, '[') + std::string(20000, ']'), "bad.json: JSON nested more than 520 levels deep"},
        {R"({"class": "TForm", "name": "F", "properties": {"Width": 18446744073709551616}})",
         "bad.json: F.Width: expected an integer, got a number"},
        {"{\"class\": \"TForm\", \"name\": \"F\xff\"}", "bad.json:1:30: invalid JSON: syntax error while parsing value - invalid string: ill-formed UTF-8 byte"},
    };
    for (const Case& c : cases) EXPECT_EQ(Refusal(c.design).rfind(c.message, 0), 0u) << Refusal(c.design);
}

TEST_F(DesignReaderSafety, RefusesRectangleEdgesBeyondThe32BitRangeNamingTheProperty) {
    EXPECT_EQ(Refusal(R"({"class": "TForm", "name": "F", "children": [{"class": "TLabel", "name": "L",
                 "properties": {"Left": 2147483600, "Width": 100}}]})"),
              "bad.json: F.L.Width: the right edge 2147483700 leaves the 32-bit range");
    EXPECT_EQ(Refusal(R"({"class": "TForm", "name": "F", "properties": {"Top": -2147483648, "Height": -1}})"),
              "bad.json: F.Height: the bottom edge -2147483649 leaves the 32-bit range");
    // Right at the limit is still a design.
    auto form = ReadFormDesign(R"({"class": "TForm", "name": "F", "properties": {"Left": 2147483547, "Width": 100}})",
                               "edge.json");
    EXPECT_EQ(form->BoundsRect().Right, 2147483647);
}

TEST_F(DesignReaderSafety, NestingIsBoundedWithAClearErrorAtAnyDepth) {
    auto deepest = ReadFormDesign(NestedPanels(TDesignLimits::kMaxNesting), "deep.json");
    EXPECT_EQ(deepest->ComponentCount(), static_cast<int>(TDesignLimits::kMaxNesting));
    std::string tooDeep = Refusal(NestedPanels(TDesignLimits::kMaxNesting + 1));
    EXPECT_NE(tooDeep.find("P256: components nested more than 256 levels deep"), std::string::npos) << tooDeep;
    for (size_t depth : {5000, 20000})
        EXPECT_EQ(Refusal(NestedPanels(depth)).rfind("bad.json: JSON nested more than", 0), 0u);
}

TEST_F(DesignReaderSafety, ComponentCountIsBoundedWithTheFormCounted) {
    const size_t children = TDesignLimits::kMaxComponents - 1;
    auto largest = ReadFormDesign(test::ManyPanels(children), "many.json");
    EXPECT_EQ(largest->ComponentCount(), static_cast<int>(children));
    EXPECT_EQ(Refusal(test::ManyPanels(children + 1)),
              "bad.json: F.P" + std::to_string(children) + ": more than 100000 components");
}

TEST_F(DesignReaderSafety, ManyTopAlignedPanelsStackInOrder) {
    const int count = 3000;
    auto form = ReadFormDesign(StackedPanels(count), "stack.json");
    for (int i : {0, 1, count - 1}) {
        auto* panel = dynamic_cast<TPanel*>(form->FindComponent("P" + std::to_string(i)));
        ASSERT_NE(panel, nullptr);
        EXPECT_EQ(panel->BoundsRect(), (TRect{0, 7 * i, 400, 7 * i + 7})) << i;
    }
}

}  // namespace
}  // namespace quill
