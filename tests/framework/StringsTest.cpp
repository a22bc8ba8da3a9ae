#include "framework/Strings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "framework/Exception.h"
#include "TestSupport.h"

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

TEST(StringList, EditsAtTheEndAndEverywhereKeepTheLines) {
    // Lines long enough to fill several blocks, edited at the end, then
    // read and edited in the middle.
    TStringList list;
    std::vector<std::string> expected;
    for (int i = 0; i < 3000; ++i) {
        std::string line(static_cast<size_t>(i % 97), static_cast<char>('a' + i % 26));
        list.Add(line);
        expected.push_back(line);
        if (i % 7 == 0 && !line.empty()) {
            list.Put(list.Count() - 1, list.View(list.Count() - 1).substr(1));  // its own text
            expected.back().erase(0, 1);
        }
        if (i % 11 == 0) {
            list.Delete(list.Count() - 1);
            expected.pop_back();
        }
    }
    std::string text;
    for (const std::string& line : expected) text += line + "\r\n";
    EXPECT_EQ(list.Text(), text);
    ASSERT_EQ(list.Count(), static_cast<int>(expected.size()));
    // The list becomes one string per line; references stay until it changes.
    const std::string& first = list[0];
    const std::string& second = list[1];
    EXPECT_EQ(first, expected[0]);
    EXPECT_EQ(second, expected[1]);
    list.Insert(1, list.View(2));
    expected.insert(expected.begin() + 1, expected[2]);
    list.Add("end");
    expected.push_back("end");
    EXPECT_EQ(test::LinesOf(list), expected);
    TStringList copy = list;
    list.Clear();
    list.Add("again");
    EXPECT_EQ(list.Text(), "again\r\n");
    EXPECT_EQ(copy.Text().size(), text.size() + expected[1].size() + 2 + 5);
}

TEST(StringList, AVeryLongLineGetsABlockOfItsOwn) {
    TStringList list;
    list.Add("short");
    const std::string big(3 << 20, 'x');
    list.Add(big);
    list.Add("after");
    EXPECT_EQ(list.View(1).size(), big.size());
    EXPECT_EQ(list.Text(), "short\r\n" + big + "\r\nafter\r\n");
}

TEST(StringList, AnyLineReadsBackWhileLinesComeAndGoAcrossBlocks) {
    // Lines of all lengths added and taken off the end, read back in no
    // particular order: blocks fill, empty again and get passed over.
    TStringList list;
    std::vector<std::string> expected;
    unsigned seed = 99;
    auto next = [&seed](unsigned n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % n;
    };
    for (int round = 0; round < 2; ++round) {
        for (int step = 0; step < 4000; ++step) {
            if (!expected.empty() && next(10) < 3) {
                list.Delete(list.Count() - 1);
                expected.pop_back();
            } else {
                const size_t length = next(8) == 0 ? 900 + next(4000) : next(60);
                expected.emplace_back(length, static_cast<char>('a' + step % 26));
                list.Add(expected.back());
            }
            if (step % 50 == 0 && !expected.empty()) {
                const size_t i = next(static_cast<unsigned>(expected.size()));
                ASSERT_EQ(list.View(static_cast<int>(i)), expected[i]) << "line " << i << " at step " << step;
            }
        }
        ASSERT_EQ(list.Count(), static_cast<int>(expected.size()));
        for (size_t i = expected.size(); i-- > 0;) ASSERT_EQ(list.View(static_cast<int>(i)), expected[i]) << i;
        list.Clear();
        expected.clear();
    }
}

TEST(StringList, LinesWrittenInPlaceAreLinesLikeAnyOther) {
    TStringList list;
    int notices = 0;
    list.OnChange = [&notices](TObject*) { ++notices; };
    auto write = [&list](std::string_view text) {
        char* at = list.BeginLine(64);
        std::copy(text.begin(), text.end(), at);
        list.EndLine(at + text.size());
    };
    write("first");
    write("");
    list.Add("third");
    EXPECT_EQ(notices, 3);
    EXPECT_EQ(list.Text(), "first\r\n\r\nthird\r\n");
    // Once the list holds one string per line, the same calls still add.
    EXPECT_EQ(list[0], "first");
    write("fourth");
    EXPECT_EQ(test::LinesOf(list), (std::vector<std::string>{"first", "", "third", "fourth"}));
    EXPECT_EQ(notices, 4);
}

}  // namespace
}  // namespace quill
