// The plain parser against the full one: on any text, it either declines
// or makes the very tree the full parser makes, and it declines everything
// the full parser refuses. Forms read either way are the same.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "aspserver/PageOne.h"
#include "controls/QuillClasses.h"
#include "framework/DesignJson.h"
#include "framework/DesignLimits.h"
#include "framework/DesignTree.h"
#include "framework/Exception.h"
#include "framework/FormReader.h"
#include "framework/FormWriter.h"

namespace quill {
namespace {

using TType = TDesignValue::TType;

std::string Sized(std::string_view text) { return std::to_string(text.size()) + ":" + std::string(text); }

// Every value with its exact type; members sorted by key, as the full
// parser keeps them.
std::string Describe(const TDesignValue& v) {
    switch (v.Type()) {
    case TType::Null: return "null";
    case TType::Boolean: return v.Bool() ? "true" : "false";
    case TType::Integer: return "i" + std::to_string(v.Int());
    case TType::Unsigned: return "u" + std::to_string(v.UInt());
    case TType::Float: return "f";
    case TType::String: return "s" + Sized(v.Text());
    case TType::Array: {
        std::string text = "[";
        for (const TDesignValue& e : v) text += Describe(e) + ",";
        return text + "]";
    }
    case TType::Object: {
        std::vector<std::pair<std::string_view, std::string>> members;
        for (const TDesignValue& m : v) members.emplace_back(m.Key(), Describe(m));
        std::sort(members.begin(), members.end());
        std::string text = "{";
        for (const auto& [key, value] : members) text += Sized(key) + "=" + value + ",";
        return text + "}";
    }
    }
    return "?";
}

std::string Describe(const nlohmann::json& v) {
    using V = nlohmann::json::value_t;
    switch (v.type()) {
    case V::boolean: return v.get<bool>() ? "true" : "false";
    case V::number_integer: return "i" + std::to_string(v.get<int64_t>());
    case V::number_unsigned: return "u" + std::to_string(v.get<uint64_t>());
    case V::number_float: return "f";
    case V::string: return "s" + Sized(v.get_ref<const std::string&>());
    case V::array: {
        std::string text = "[";
        for (const nlohmann::json& e : v) text += Describe(e) + ",";
        return text + "]";
    }
    case V::object: {
        std::string text = "{";
        for (auto it = v.begin(); it != v.end(); ++it) text += Sized(it.key()) + "=" + Describe(*it) + ",";
        return text + "}";
    }
    default: return "null";
    }
}

// The agreement itself; answers whether the plain parser took the text.
bool ExpectAgreement(const std::string& text) {
    std::unique_ptr<TDesignTree> plain = TDesignTree::ParsePlain(text);
    try {
        nlohmann::json full = ParseDesignJson(text, "t.json");
        if (plain) {
            EXPECT_EQ(Describe(plain->Root()), Describe(full));
            EXPECT_EQ(Describe(TDesignTree::FromJson(full)->Root()), Describe(full));
            EXPECT_TRUE(plain->Root().SameAs(TDesignTree::FromJson(full)->Root()));
        }
    } catch (const Exception& e) {
        EXPECT_EQ(plain, nullptr) << "the full parser refuses: " << e.what();
    }
    return plain != nullptr;
}

std::string Nested(size_t depth) { return std::string(depth, '[') + std::string(depth, ']'); }

std::string ObjectOf(int members) {
    std::string text = "{";
    for (int i = 0; i < members; ++i) text += (i ? ",\"k" : "\"k") + std::to_string(i) + "\":" + std::to_string(i);
    return text + "}";
}

TEST(DesignTree, PlainParserAgreesWithTheFullOneOrDeclines) {
    const std::string longest(TDesignLimits::kMaxStringBytes, 'x');
    struct Case {
        std::string text;
        bool plain;
    } cases[] = {
        // What designs hold.
        {R"({"class": "TForm", "name": "F", "properties": {"Width": 640, "Left": -8, "Visible": true},
             "children": [{"class": "TLabel", "name": "L", "properties": {"Font": {"Style": ["fsBold"]}}}]})", true},
        {"{}", true},
        {" \t\r\n[ ]\n", true},
        {"[null, true, false, 0, -0, 7, -7, 999999999999999999, -999999999999999999]", true},
        {R"(["\"\\\/\b\f\n\r\t", "\u00e9\u20AC", "\ud83d\ude00", "a\u0000b", ""])", true},
        {"[\"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80 \xed\x9f\xbf \xf4\x8f\xbf\xbf\"]", true},
        {R"({"a": {"b": {"c": [[1], [2, {"d": []}]]}}, "": 1})", true},
        {Nested(TDesignLimits::kMaxJsonDepth), true},
        {"[\"" + longest + "\"]", true},
        {ObjectOf(64), true},
        // Valid JSON the plain parser leaves to the full one.
        {"[1.5]", false},
        {"[1e3]", false},
        {"[-2E-1]", false},
        {"[1234567890123456789]", false},
        {"[18446744073709551616]", false},
        {ObjectOf(65), false},
        {"\xef\xbb\xbf{}", false},
        // Refusals.
        {"", false},
        {"  ", false},
        {"{", false},
        {"}", false},
        {"[1,]", false},
        {"[,1]", false},
        {"[1 2]", false},
        {R"({"a": 1,})", false},
        {R"({"a" 1})", false},
        {R"({"a": 1 "b": 2})", false},
        {R"({a: 1})", false},
        {"[01]", false},
        {"[-]", false},
        {"[-a]", false},
        {"[+1]", false},
        {"[.5]", false},
        {"[tru]", false},
        {"[truex]", false},
        {"[nul]", false},
        {"{} x", false},
        {"{}{}", false},
        {"/* note */ {}", false},
        {R"(["abc)", false},
        {R"(["a\x"])", false},
        {R"(["\u12"])", false},
        {R"(["\u12G4"])", false},
        {R"(["\ud800"])", false},
        {R"(["\udc00"])", false},
        {R"(["\ud800\u0041"])", false},
        {"[\"a\x01\"]", false},
        {"[\"a\nb\"]", false},
        {"[\"\xc0\xaf\"]", false},
        {"[\"\xc3\"]", false},
        {"[\"\xe0\x80\x80\"]", false},
        {"[\"\xed\xa0\x80\"]", false},
        {"[\"\xf0\x80\x80\x80\"]", false},
        {"[\"\xf4\x90\x80\x80\"]", false},
        {"[\"\xf5\x80\x80\x80\"]", false},
        {"[\"\x80\"]", false},
        {"[\"\xe2\x82\"]", false},
        {R"({"a": 1, "a": 2})", false},
        {R"({"a": 1, "\u0061": 2})", false},
        {R"({"a": {"b": 1, "b": 1}})", false},
        {Nested(TDesignLimits::kMaxJsonDepth + 1), false},
        {Nested(20000), false},
        {"[\"" + longest + "x\"]", false},
        {"{\"" + longest + "x\": 1}", false},
        {std::string(TDesignLimits::kMaxFileBytes + 1, ' '), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 80));
        EXPECT_EQ(ExpectAgreement(c.text), c.plain);
    }
}

TEST(DesignTree, KeysWithEscapesFindTheirMembers) {
    auto tree = TDesignTree::ParsePlain(R"({"n\u0061me": "F\"", "kids": [1, 2]})");
    ASSERT_NE(tree, nullptr);
    const TDesignValue* name = tree->Root().Find("name");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->Text(), "F\"");
    EXPECT_EQ(tree->Root().Find("kids")->Count(), 2u);
    EXPECT_EQ(tree->Root().Find("none"), nullptr);
    EXPECT_EQ(name->Find("name"), nullptr);
}

TEST(DesignTree, SameAsComparesValuesAndTypesButNotMemberOrder) {
    struct Case {
        const char* a;
        const char* b;
        bool same;
    } cases[] = {
        {R"({"a": 1, "b": [true, null, "x"]})", R"({"b": [true, null, "x"], "a": 1})", true},
        {R"({"a": 1})", R"({"a": 2})", false},
        {R"({"a": 1})", R"({"b": 1})", false},
        {R"({"a": 1})", R"({"a": 1, "b": 1})", false},
        {"[1, 2]", "[2, 1]", false},
        {"[1]", "[1, 2]", false},
        {"[0]", "[-0]", false},
        {"[1]", "[-1]", false},
        {"[true]", "[false]", false},
        {"[true]", "[1]", false},
        {R"(["a"])", R"(["b"])", false},
        {"[[]]", "[{}]", false},
        {"[null]", "[null]", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " / " + c.b);
        auto a = TDesignTree::ParsePlain(c.a);
        auto b = TDesignTree::ParsePlain(c.b);
        ASSERT_TRUE(a && b);
        EXPECT_EQ(a->Root().SameAs(b->Root()), c.same);
        EXPECT_EQ(b->Root().SameAs(a->Root()), c.same);
    }
}

std::vector<std::filesystem::path> DesignFiles() {
    std::vector<std::filesystem::path> files;
    std::filesystem::path source(QUILL_SOURCE_DIR);
    for (const char* folder : {"examples", "tests/fuzz-regressions"})
        for (const auto& entry : std::filesystem::directory_iterator(source / folder))
            if (entry.path().extension() == ".json") files.push_back(entry.path());
    return files;
}

std::string FileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(DesignTree, AgreesOnEveryExampleAndFuzzFinding) {
    std::vector<std::filesystem::path> files = DesignFiles();
    ASSERT_FALSE(files.empty());
    for (const auto& path : files) {
        SCOPED_TRACE(path.filename().string());
        ExpectAgreement(FileText(path));
    }
}

// The design or its single-line refusal.
std::string Outcome(const std::string& text) {
    try {
        return WriteFormDesign(*ReadFormDesign(text, "d.json"));
    } catch (const Exception& e) {
        return std::string("refused: ") + e.what();
    }
}

TEST(DesignTree, FormsReadEitherWayAreTheSame) {
    RegisterQuillClasses();
    RegisterPageOneForm();
    std::vector<std::string> designs = {TPageOneForm::StoredDesign()};
    for (const auto& path : DesignFiles()) designs.push_back(FileText(path));
    // A byte-order mark leaves the text to the full parser alone.
    const std::string mark = "\xef\xbb\xbf";
    int read = 0;
    for (const std::string& design : designs) {
        ASSERT_EQ(TDesignTree::ParsePlain(mark + design), nullptr);
        std::string plain = Outcome(design);
        // The mark moves the place of an invalid character by one column.
        if (plain.find("invalid JSON") != std::string::npos) continue;
        EXPECT_EQ(plain, Outcome(mark + design)) << design.substr(0, 200);
        read += plain.rfind("refused", 0) != 0;
    }
    EXPECT_GE(read, 4);
}

// Where the full parser's order of keys differs from the text's, the
// refusal still names what the full parser's order meets first.
TEST(DesignTree, RefusalsFollowTheFullParsersOrder) {
    RegisterQuillClasses();
    struct Case {
        std::string design;
        std::string message;
    } cases[] = {
        {R"({"class": "TForm", "name": "F", "zeta": 1, "alpha": 2})", "d.json: (root): unknown key \"alpha\""},
        {R"({"class": "TForm", "name": "F", "properties": {"Zzz": 1, "Aaa": 2}})",
         "d.json: F.Aaa: unknown property of TForm"},
        {R"({"class": "TForm", "name": "F", "children": [{"name": "L", "class": "TQuillLabel", "tag": 1, "bad": 2}]})",
         "d.json: F.children[0]: unknown key \"bad\""},
    };
    for (const Case& c : cases) EXPECT_EQ(Outcome(c.design).rfind("refused: " + c.message, 0), 0u) << Outcome(c.design);
}

}  // namespace
}  // namespace quill
