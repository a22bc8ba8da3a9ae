#include "framework/TextHelpers.h"

#include <gtest/gtest.h>

#include "framework/Exception.h"

namespace quill {
namespace {

TEST(TextHelpers, FormatFillsPlaceholdersInOrder) {
    EXPECT_EQ(Format("Cannot assign a %s to a %s", {std::string("TFont"), std::string("TLabel")}),
              "Cannot assign a TFont to a TLabel");
    EXPECT_EQ(Format("%d%% of %s", {int64_t{-5}, std::string("x")}), "-5% of x");
    EXPECT_THROW(Format("%s %s", {std::string("one")}), Exception);
    EXPECT_THROW(Format("%d", {std::string("not a number")}), Exception);
}

TEST(TextHelpers, IntToHexPadsToTheGivenDigits) {
    EXPECT_EQ(IntToHex(0, 2), "00");
    EXPECT_EQ(IntToHex(0xE2, 2), "E2");
    EXPECT_EQ(IntToHex(0x5, 2), "05");
    EXPECT_EQ(IntToHex(0x12345, 2), "12345");
}

TEST(TextHelpers, StrToIntAcceptsSignedDecimalsOnly) {
    struct Case {
        const char* text;
        int32_t value;
    } valid[] = {{"0", 0}, {"+2", 2}, {"-1", -1}, {"2147483647", 2147483647}, {"-2147483648", INT32_MIN}};
    for (const Case& c : valid) EXPECT_EQ(StrToInt(c.text), c.value) << c.text;
    for (const char* bad : {"", "+", "-", " 1", "1 ", "1.5", "0x10", "None", "2147483648", "99999999999999"})
        EXPECT_THROW(StrToInt(bad), Exception) << bad;
}

TEST(TextHelpers, LowerCaseTouchesAsciiLettersOnly) {
    EXPECT_EQ(LowerCase("TD Width\xC4"), "td width\xC4");
    EXPECT_TRUE(SameText("Width", "wIDTH"));
}

TEST(TextHelpers, ExtractFilePathKeepsTheSeparator) {
    EXPECT_EQ(ExtractFilePath("/opt/quill/QuillDemo"), "/opt/quill/");
    EXPECT_EQ(ExtractFilePath("C:\\Quill\\QuillDemo.exe"), "C:\\Quill\\");
    EXPECT_EQ(ExtractFilePath("page.html"), "");
}

}  // namespace
}  // namespace quill
