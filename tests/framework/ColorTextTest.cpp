// Colours as designs write them: names, "#RRGGBB" and integers.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "framework/Color.h"
#include "framework/Exception.h"
#include "framework/FormReader.h"
#include "framework/FormWriter.h"
#include "framework/StandardClasses.h"

namespace quill {
namespace {

TEST(ColorText, ReadsNamesAndHtmlColoursWithRedFirst) {
    struct {
        const char* text;
        std::optional<TColor> color;
    } cases[] = {
        {"#1F4E79", 0x794E1F},
        {"#1f4e79", 0x794E1F},
        {"#FF0000", clRed},
        {"#0000FF", clBlue},
        {"#000000", clBlack},
        {"#FFFFFF", clWhite},
        {"clBtnFace", clBtnFace},
        {"clNone", clNone},
        {"#1F4E7", std::nullopt},
        {"#1F4E790", std::nullopt},
        {"#1F4G79", std::nullopt},
        {"1F4E79", std::nullopt},
        {"#", std::nullopt},
        {"", std::nullopt},
        {"# 1F4E7", std::nullopt},
        {"red", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ColorFromText(c.text), c.color) << c.text;
}

TEST(ColorText, WritesNamesThenHtmlColoursAndNothingForOtherBits) {
    struct {
        TColor color;
        std::optional<std::string> text;
    } cases[] = {
        {clRed, "clRed"},
        {clBtnFace, "clBtnFace"},
        {clNone, "clNone"},
        {clDefault, "clDefault"},
        {0x794E1F, "#1F4E79"},
        {0x000001, "#010000"},
        {0xC5DEE2, "#E2DEC5"},
        {0x1000000, std::nullopt},       // a bit above the RGB bytes
        {SystemColor(25), std::nullopt},  // a system colour without a name
        {-1, std::nullopt},
        {0x7FFFFFFF, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ColorToText(c.color), c.text) << c.color;
        if (c.text) {
            EXPECT_EQ(ColorFromText(*c.text), c.color) << *c.text;
        }
    }
}

std::string FormWithColor(const nlohmann::json& color) {
    nlohmann::json design = {{"class", "TForm"}, {"name", "F"}, {"properties", {{"Color", color}}}};
    return design.dump();
}

TColor ReadColor(const nlohmann::json& color) { return ReadFormDesign(FormWithColor(color), "c.json")->Color(); }

std::string WrittenColor(TColor color) {
    TForm form(nullptr);
    form.SetName("F");
    form.SetColor(color);
    return nlohmann::json::parse(WriteFormDesign(form))["properties"]["Color"].dump();
}

TEST(ColorDesign, EveryColourRoundTripsAndIntegersStayReadable) {
    RegisterStandardClasses();
    EXPECT_EQ(ReadColor("#1F4E79"), 0x794E1F);
    EXPECT_EQ(ReadColor(7949855), 0x794E1F);  // the same colour, red in the low byte
    EXPECT_EQ(ReadColor("clWhite"), clWhite);
    EXPECT_EQ(ReadColor(4294967295u), -1);  // the unsigned spelling of a system colour
    for (TColor color : {clWhite, clHighlight, clNone, clDefault, TColor{0x794E1F}, TColor{0x000100}, TColor{0x1000000},
                         SystemColor(25), TColor{-1}, TColor{0x7FFFFFFF}, TColor{INT32_MIN}}) {
        const std::string written = WrittenColor(color);
        EXPECT_EQ(ReadColor(nlohmann::json::parse(written)), color) << written;
    }
    EXPECT_EQ(WrittenColor(0x794E1F), "\"#1F4E79\"");
    EXPECT_EQ(WrittenColor(clWhite), "\"clWhite\"");
    EXPECT_EQ(WrittenColor(0x1000000), "16777216");
    EXPECT_EQ(WrittenColor(SystemColor(25)), "-16777191");
}

TEST(ColorDesign, MalformedHtmlColoursAreRefusedWithTheirForm) {
    RegisterStandardClasses();
    struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"#FFF", "c.json: F.Color: invalid colour \"#FFF\"; write \"#RRGGBB\": \"#\" and six hexadecimal digits, red, green, blue"},
        {"#12345G", "c.json: F.Color: invalid colour \"#12345G\"; write \"#RRGGBB\""},
        {"1F4E79", "c.json: F.Color: unknown colour name \"1F4E79\""},
    };
    for (const auto& c : cases) {
        try {
            ReadColor(c.text);
            ADD_FAILURE() << "accepted " << c.text;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message().rfind(c.message, 0), 0u) << e.Message();
        }
    }
}

}  // namespace
}  // namespace quill
