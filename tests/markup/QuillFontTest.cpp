#include "markup/QuillFont.h"

#include <gtest/gtest.h>

#include "framework/Exception.h"

namespace quill {
namespace {

TEST(QuillFont, NewFontWritesNothing) {
    TQuillHtmlFont font;
    EXPECT_EQ(font.GetOpenText(), "");
    EXPECT_EQ(font.GetCloseText(), "");
}

TEST(QuillFont, EmptyChosenSizeWritesABareFontTag) {
    TQuillHtmlFont font;
    font.SetFontSize("");
    EXPECT_EQ(font.GetOpenText(), "<font>");
    EXPECT_EQ(font.GetCloseText(), "</font>");
}

TEST(QuillFont, ChosenValuesInFaceSizeColorOrder) {
    TQuillHtmlFont font;
    font.SetFontColor(clBlack);
    font.SetFontSize("+2");
    font.SetFontName("Arial");
    EXPECT_EQ(font.GetOpenText(), R"(<font face="Arial" size="+2" color="#000000">)");
    EXPECT_EQ(font.GetCloseText(), "</font>");
}

TEST(QuillFont, StyleTagsNestInsideTheFontTag) {
    TQuillHtmlFont font;
    font.SetFontStyle({fsBold, fsUnderline, fsStrikeOut});
    EXPECT_EQ(font.GetOpenText(), "<b><u>");
    EXPECT_EQ(font.GetCloseText(), "</u></b>");
    font.SetFontName("Arial");
    font.SetFontStyle({fsBold, fsItalic, fsUnderline});
    EXPECT_EQ(font.GetOpenText(), R"(<font face="Arial"><b><i><u>)");
    EXPECT_EQ(font.GetCloseText(), "</u></i></b></font>");
}

TEST(QuillFont, DynamicAttributesBecomeTemplateFields) {
    TQuillHtmlFont font;
    font.SetFontName("Arial");
    font.SetDynamics({feColor});
    EXPECT_FALSE(font.Default().Contains(feColor));
    EXPECT_EQ(font.GetOpenText(), R"(<font face="Arial"{_font}>)");
    font.SetDefault({feColor});
    EXPECT_FALSE(font.Dynamics().Contains(feColor));
    EXPECT_TRUE(font.Default().Contains(feColor));
    EXPECT_EQ(font.FontColor(), clBlack);
    EXPECT_EQ(font.GetOpenText(), R"(<font face="Arial">)");
}

TEST(QuillFont, EachDynamicElementBecomesTheField) {
    struct {
        TQuillFontElement element;
        const char* open;
    } cases[] = {
        {feName, R"(<font size="+1" color="#FF0000"{_font}>)"},
        {feSize, R"(<font face="Arial" color="#FF0000"{_font}>)"},
        {feColor, R"(<font face="Arial" size="+1"{_font}>)"},
    };
    for (const auto& c : cases) {
        TQuillHtmlFont font;
        font.SetFontName("Arial");
        font.SetFontSize("+1");
        font.SetFontColor(clRed);
        font.SetDynamics({c.element});
        EXPECT_EQ(font.GetOpenText(), c.open) << c.element;
        EXPECT_EQ(font.GetCloseText(), "</font>") << c.element;
    }
}

TEST(QuillFont, SettersNotifyExceptDynamics) {
    TQuillHtmlFont font;
    int changes = 0;
    font.SetOnChange([&](TObject*) { ++changes; });
    font.SetFontColor(clRed);
    font.SetFontName("Arial");
    font.SetFontSize("3");
    font.SetFontStyle({});
    EXPECT_EQ(changes, 4);
    font.SetDynamics({feName});
    EXPECT_EQ(changes, 4);
    font.SetDefault({feSize, feColor, feName});  // one notice per reset
    EXPECT_EQ(changes, 7);
    EXPECT_EQ(font.FontName(), "Times New Roman");
    EXPECT_EQ(font.FontSize(), "");
    EXPECT_EQ(font.FontColor(), clBlack);
    EXPECT_TRUE(font.Dynamics().Empty());
}

TEST(QuillFont, CopyValuesFromKeepsOwnDynamicsAndNotifiesOnce) {
    TQuillHtmlFont source, target;
    source.SetFontName("Arial");
    source.SetFontSize("+1");
    source.SetFontStyle({fsItalic});
    target.SetDynamics({feColor});
    int changes = 0;
    target.SetOnChange([&](TObject*) { ++changes; });
    target.CopyValuesFrom(source);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(target.FontName(), "Arial");
    EXPECT_EQ(target.FontSize(), "+1");
    EXPECT_EQ(target.FontStyle(), TFontStyles{fsItalic});
    EXPECT_EQ(target.Default(), source.Default());
    EXPECT_EQ(target.Dynamics(), TQuillFontElementSet{feColor});
    TFont foreign;
    EXPECT_THROW(target.CopyValuesFrom(foreign), EConvertError);
    EXPECT_EQ(changes, 1);
}

TEST(QuillFont, AssignToFontMapsHtmlSizesToPoints) {
    struct {
        const char* size;
        int points;
    } cases[] = {{"+2", 18}, {"-1", 10}, {"3", 12}, {"9", 36},   {"-5", 7},       {"0", 7},
                 {"1", 7},   {"2", 10},  {"4", 14}, {"5", 18},   {"6", 24},       {"7", 36},
                 {"None", 12}, {"", 12}, {"big", 12}, {"+", 12}, {"2147483647", 36}};
    for (const auto& c : cases) {
        TQuillHtmlFont html;
        html.SetFontSize(c.size);
        html.SetFontName("Arial");
        html.SetFontColor(clRed);
        html.SetFontStyle({fsBold, fsStrikeOut});
        TFont font;
        html.AssignToFont(font);
        EXPECT_EQ(font.Size(), c.points) << c.size;
        EXPECT_EQ(font.Name(), "Arial");
        EXPECT_EQ(font.Color(), clRed);
        EXPECT_EQ(font.Style(), (TFontStyles{fsBold, fsStrikeOut}));
    }
}

TEST(QuillFont, FontSizeKeepsAtMost255Characters) {
    TQuillHtmlFont font;
    font.SetFontSize(std::string(300, '1'));
    EXPECT_EQ(font.FontSize().size(), 255u);
}

}  // namespace
}  // namespace quill
