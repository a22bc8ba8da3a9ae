#include "framework/Strings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "framework/Exception.h"

namespace quill {
namespace {

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(StringList, TextEndsEveryLineWithCrLf) {
    TStringList list;
    EXPECT_EQ(list.Text(), "");
    list.Add("<html>");
    list.Add("");
    list.Add("</html>");
    EXPECT_EQ(list.Text(), "<html>\r\n\r\n</html>\r\n");
}

TEST(StringList, EditingByIndex) {
    TStringList list;
    list.Add("a");
    list.Add("c");
    list.Insert(1, "b");
    list.Put(0, "A");
    list.Delete(2);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list[0], "A");
    EXPECT_EQ(list[1], "b");
    EXPECT_THROW(list.Get(2), Exception);
    EXPECT_THROW(list.Delete(-1), Exception);
    list.AddStrings(list);
    EXPECT_EQ(list.Text(), "A\r\nb\r\nA\r\nb\r\n");
}

TEST(StringList, UpdateModeHoldsNoticesUntilTheOutermostEnd) {
    TStringList list;
    int notices = 0;
    list.OnChange = [&](TObject*) { ++notices; };
    list.Add("x");
    EXPECT_EQ(notices, 1);
    list.BeginUpdate();
    list.BeginUpdate();
    list.Clear();
    list.Add("y");
    list.EndUpdate();
    EXPECT_EQ(notices, 1);
    list.EndUpdate();
    EXPECT_EQ(notices, 2);
    list.BeginUpdate();
    list.EndUpdate();
    EXPECT_EQ(notices, 2);  // nothing changed, nothing told
}

TEST(StringList, NameValueLookupIgnoresCase) {
    TStringList list;
    list.Add(" width=\"12\"");
    list.Add("no equals sign");
    list.Add(" HEIGHT=\"a=b\"");
    EXPECT_EQ(list.IndexOfName(" height"), 2);
    EXPECT_EQ(list.IndexOfName(" Width"), 0);
    EXPECT_EQ(list.IndexOfName("no equals sign"), -1);
    EXPECT_EQ(list.Names(2), " HEIGHT");
    EXPECT_EQ(list.ValueFromIndex(2), "\"a=b\"");
}

TEST(StringList, SaveToFileCreatesOrReplacesTheFile) {
    auto dir = std::filesystem::temp_directory_path() / "quill-strings-test";
    std::filesystem::create_directories(dir);
    auto file = dir / "out.html";
    {
        std::ofstream old(file);
        old << "an older and much longer content";
    }
    TStringList list;
    list.Add("one");
    list.Add("\xE9t\xE9");  // 8-bit text is written byte for byte
    list.SaveToFile(file.string());
    EXPECT_EQ(ReadFile(file), "one\r\n\xE9t\xE9\r\n");
    EXPECT_THROW(list.SaveToFile((dir / "missing" / "out.html").string()), Exception);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace quill
