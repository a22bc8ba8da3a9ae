#include "markup/HtmlTag.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "TestSupport.h"

namespace quill {
namespace {

struct TagCase {
    const char* what;
    const char* name;
    THtmlTagOptions options;
    std::function<void(THtmlTag&)> fill;
    const char* start;
    const char* end;
};

// Readable in test names and messages, not the case's raw bytes.
void PrintTo(const TagCase& c, std::ostream* os) { *os << c.what; }

class HtmlTagForms : public ::testing::TestWithParam<TagCase> {};

TEST_P(HtmlTagForms, StartAndEndTexts) {
    const TagCase& c = GetParam();
    THtmlTag tag(c.name, c.options);
    c.fill(tag);
    EXPECT_EQ(tag.StartTag(), c.start);
    EXPECT_EQ(tag.EndTag(), c.end);
}

INSTANTIATE_TEST_SUITE_P(
    Tag, HtmlTagForms,
    ::testing::Values(
        TagCase{"cell with width and height", "td", {toAlwaysWrite},
                [](THtmlTag& t) { t.SetIntAttribute("width", 120), t.SetIntAttribute("height", 40); },
                R"(<td width="120" height="40">)", "</td>"},
        TagCase{"dynamic colour only", "font", {}, [](THtmlTag& t) { t.SetAttribute("color", "#000000", true); },
                "<font{_font}>", "</font>"},
        TagCase{"static face beside dynamic colour", "font", {},
                [](THtmlTag& t) { t.SetAttribute("color", "#000000", true), t.SetAttribute("face", "Arial"); },
                R"(<font face="Arial"{_font}>)", "</font>"},
        TagCase{"no attributes, not always written", "font", {}, [](THtmlTag&) {}, "", ""},
        TagCase{"no attributes, always written", "TR", {toAlwaysWrite}, [](THtmlTag&) {}, "<tr>", "</tr>"},
        TagCase{"only an empty value", "font", {}, [](THtmlTag& t) { t.SetAttribute("size", ""); }, "<font>",
                "</font>"},
        TagCase{"later setting in other case replaces", "td", {},
                [](THtmlTag& t) {
                    t.SetIntAttribute("Width", 1), t.SetIntAttribute("height", 2), t.SetIntAttribute("width", 3);
                },
                R"(<td height="2" width="3">)", "</td>"},
        TagCase{"a, b, a again", "p", {},
                [](THtmlTag& t) { t.SetAttribute("a", "1"), t.SetAttribute("b", "2"), t.SetAttribute("a", "3"); },
                R"(<p b="2" a="3">)", "</p>"},
        TagCase{"static then dynamic", "font", {},
                [](THtmlTag& t) { t.SetAttribute("face", "Arial"), t.SetAttribute("face", "Arial", true); },
                "<font{_font}>", "</font>"},
        TagCase{"static then dynamic, field only", "font", {toFieldOnly},
                [](THtmlTag& t) { t.SetAttribute("face", "Arial"), t.SetAttribute("face", "Arial", true); },
                "{_font}", "{__font}"},
        TagCase{"bang writes the bare name", "input", {},
                [](THtmlTag& t) { t.SetAttribute("type", "checkbox"), t.SetAttribute("checked", "!"); },
                R"(<input type="checkbox" checked>)", "</input>"},
        TagCase{"empty element, plain", "br", {toAlwaysWrite, toEmptyElement}, [](THtmlTag&) {}, "<br />", ""},
        TagCase{"empty element, with field", "img", {toEmptyElement},
                [](THtmlTag& t) { t.SetAttribute("src", "a.png"), t.SetAttribute("alt", "x", true); },
                R"(<img src="a.png"{_img} />)", ""},
        TagCase{"empty element, field only", "img", {toEmptyElement, toFieldOnly},
                [](THtmlTag& t) { t.SetAttribute("alt", "x", true); }, "{_img}", ""},
        TagCase{"negative integers", "td", {}, [](THtmlTag& t) { t.SetIntAttribute("width", -12); },
                R"(<td width="-12">)", "</td>"},
        TagCase{"a quote in a value cannot end it; nothing else is escaped", "a", {},
                [](THtmlTag& t) { t.SetAttribute("HREF", "a?b=1&c=\"<>\""); },
                R"(<a href="a?b=1&c=&quot;<>&quot;">)", "</a>"},
        TagCase{"a quote breaking out toward another attribute", "a", {},
                [](THtmlTag& t) { t.SetAttribute("href", "a\" onclick=\"x"); },
                R"(<a href="a&quot; onclick=&quot;x">)", "</a>"},
        TagCase{"more attributes than kept in place, one replaced", "p", {},
                [](THtmlTag& t) {
                    for (char c = 'a'; c <= 'k'; ++c) t.SetAttribute(std::string(1, c), std::string(1, c));
                    t.SetAttribute("C", "z");
                },
                R"(<p a="a" b="b" d="d" e="e" f="f" g="g" h="h" i="i" j="j" k="k" c="z">)", "</p>"},
        TagCase{"upper-case name replaced by lower-case one, then made dynamic", "p", {},
                [](THtmlTag& t) {
                    t.SetAttribute("ID", "1"), t.SetAttribute("x", "2"), t.SetAttribute("id", "3");
                    t.SetAttribute("X", "4", true);
                },
                R"(<p id="3"{_p}>)", "</p>"},
        TagCase{"mixed-case name", "FoNt", {}, [](THtmlTag& t) { t.SetAttribute("x", "1", true); }, "<font{_font}>",
                "</font>"}),
    [](const ::testing::TestParamInfo<TagCase>& info) { return test::CaseName(info.param.what); });

TEST(HtmlTag, ClearedTagServesAgainLikeANewOne) {
    THtmlTag tag("td", {toAlwaysWrite});
    tag.SetIntAttribute("width", 120);
    tag.SetAttribute("id", "x", true);
    EXPECT_EQ(tag.StartTag("f"), "<td width=\"120\"{f_td}>");
    tag.Clear();
    EXPECT_EQ(tag.Mode(), tmPlain);
    tag.SetIntAttribute("height", 7);
    EXPECT_EQ(tag.StartTag(), "<td height=\"7\">");
    EXPECT_EQ(tag.EndTag(), "</td>");
}

TEST(HtmlTag, FieldIdIsRememberedForTheEndTag) {
    THtmlTag tag("font", {toFieldOnly});
    tag.SetAttribute("color", "#FF0000", true);
    EXPECT_EQ(tag.EndTag(), "{__font}");  // no StartTag yet
    EXPECT_EQ(tag.StartTag("x"), "{x_font}");
    EXPECT_EQ(tag.EndTag(), "{_x_font}");
}

TEST(HtmlTag, EndTagFollowsAttributesAddedAfterTheStart) {
    THtmlTag tag("font", {});
    EXPECT_EQ(tag.StartTag(), "");
    tag.SetAttribute("face", "Arial");
    EXPECT_EQ(tag.EndTag(), "</font>");
}

TEST(HtmlTag, ModeCountsEntriesNotWrittenText) {
    THtmlTag tag("td", {});
    EXPECT_EQ(tag.Mode(), tmOmitted);
    tag.SetAttribute("align", "");
    EXPECT_EQ(tag.Mode(), tmPlain);
    EXPECT_EQ(tag.AttributeText(), "");
    tag.SetAttribute("id", "x", true);
    EXPECT_EQ(tag.Mode(), tmWithField);
}

TEST(HtmlTag, FieldOnlyTagWithStaticAttributesWritesThemBesideTheField) {
    THtmlTag tag("font", {toFieldOnly});
    tag.SetAttribute("color", "#FF0000", true);
    tag.SetAttribute("face", "Arial");
    EXPECT_EQ(tag.Mode(), tmWithField);
    EXPECT_EQ(tag.StartTag("x"), R"(<font face="Arial"{x_font}>)");
    EXPECT_EQ(tag.EndTag(), "</font>");
}

TEST(HtmlTag, AttributeSetAgainMovesBetweenDynamicAndStatic) {
    THtmlTag tag("font", {});
    tag.SetAttribute("size", "3", true);
    tag.SetAttribute("size", "4");
    EXPECT_EQ(tag.Mode(), tmPlain);
    EXPECT_EQ(tag.StartTag(), R"(<font size="4">)");
    tag.SetAttribute("size", "5", true);
    EXPECT_EQ(tag.AttributeText(), "");
    EXPECT_EQ(tag.StartTag(), "<font{_font}>");
}

TEST(HtmlTag, NamesByNumberAndByTextInAnyCaseAreOneAttribute) {
    THtmlTag tag("td", {toAlwaysWrite});
    tag.SetIntAttribute(anWidth, 5);
    tag.SetAttribute("data-x", "1");
    tag.SetAttribute("WIDTH", "6");     // replaces the numbered one, moves to the end
    tag.SetAttribute("Data-X", "2");    // an unknown name in another case
    tag.SetAttribute(anBgcolor, "#FF0000");
    tag.SetAttribute("BgColor", "");    // counts, is not written
    tag.SetAttribute("widths", "7");    // near a known name, but another one
    EXPECT_EQ(tag.StartTag(), R"(<td width="6" data-x="2" widths="7">)");
}

TEST(HtmlTag, EmptyStaticValuesCountBesideDynamicOnes) {
    // Only dynamic attributes so far: an empty static one still turns a
    // field-only tag into one written with its field.
    THtmlTag tag("font", {toFieldOnly});
    tag.SetAttribute(anColor, "#FF0000", true);
    EXPECT_EQ(tag.Mode(), tmFieldOnly);
    tag.SetAttribute(anFace, "");
    EXPECT_EQ(tag.Mode(), tmWithField);
    EXPECT_EQ(tag.StartTag("x"), "<font{x_font}>");
    // An empty value after a written one takes its place.
    THtmlTag cell("td", {toAlwaysWrite});
    cell.SetAttribute(anAlign, "center");
    cell.SetIntAttribute(anWidth, 4);
    cell.SetAttribute(anId, "");
    cell.SetAttribute(anAlign, "");
    cell.SetAttribute(anId, "a");
    EXPECT_EQ(cell.StartTag(), R"(<td width="4" id="a">)");
}

TEST(HtmlTag, ManySetsOfTheSameNamesKeepOneOfEachInOrder) {
    // Replaced entries are dropped along the way, known and other names
    // alike, past the attributes kept in place.
    THtmlTag tag("td", {});
    tag.SetAttribute("first", "1");
    for (int i = 0; i < 100; ++i) {
        tag.SetIntAttribute(anWidth, i);
        tag.SetAttribute("data-n", std::to_string(i), i % 2 == 1);
        tag.SetIntAttribute("k" + std::to_string(i % 20), i);
    }
    std::string expected = R"( first="1")";
    for (int k = 0; k < 20; ++k) expected += " k" + std::to_string(k) + "=\"" + std::to_string(80 + k) + "\"";
    expected.insert(expected.find(" k19="), R"( width="99")");
    EXPECT_EQ(tag.AttributeText(), expected);
    EXPECT_EQ(tag.Mode(), tmWithField);  // data-n was last set dynamic
    tag.SetAttribute("DATA-N", "z");
    EXPECT_EQ(tag.Mode(), tmPlain);
    EXPECT_EQ(tag.AttributeText(), expected + R"( data-n="z")");
}

TEST(HtmlTag, TextFunctions) {
    EXPECT_EQ(HtmlBracket("TR"), "<TR>");
    EXPECT_EQ(HtmlEmptyBracket("br"), "<br />");
    EXPECT_EQ(HtmlStartTag("TD", " a=\"1\"", false), "<td a=\"1\">");
    EXPECT_EQ(HtmlStartTag("BR", "", true), "<br />");
    EXPECT_EQ(HtmlEndTag("TR"), "</tr>");
    EXPECT_EQ(HtmlAttr("HREF", "X"), " href=\"X\"");
    EXPECT_EQ(HtmlAttr("title", "say \"hi\""), " title=\"say &quot;hi&quot;\"");
    EXPECT_EQ(HtmlIntAttr("Width", -3), " width=\"-3\"");
    EXPECT_EQ(TemplateFieldName("", "font"), "{_font}");
}

}  // namespace
}  // namespace quill
