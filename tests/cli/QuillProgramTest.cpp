// Runs the built quill program, for what only a separate process shows:
// its exit status and streams, and text measurement with no fonts at all.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "TestSupport.h"

namespace quill {
namespace {

struct TRun {
    int Code;
    std::string Out;
};

TRun RunShell(const std::string& command) {
    TRun run{-1, ""};
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.Out.append(buffer, n);
    int status = pclose(pipe);
    run.Code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

const std::string kQuill = std::string(QUILL_BINARY_DIR) + "/quill";
const std::string kPageOne = std::string(QUILL_SOURCE_DIR) + "/src/aspserver/PageOne.form.json";

TEST(QuillProgram, ExitCodesAndStreams) {
    TRun ok = RunShell(kQuill + " render " + kPageOne + " 2>/dev/null");
    EXPECT_EQ(ok.Code, 0);
    EXPECT_EQ(ok.Out, test::ReadFile(std::string(QUILL_SOURCE_DIR) + "/tests/golden/PageOne.html"));
    TRun bad = RunShell(kQuill + " render /nonexistent.json 2>&1 >/dev/null");
    EXPECT_EQ(bad.Code, 1);
    EXPECT_EQ(bad.Out, "quill: /nonexistent.json: cannot read the file: No such file or directory\n");
    TRun endless = RunShell(kQuill + " render /dev/zero 2>&1 >/dev/null");
    EXPECT_EQ(endless.Code, 1);
    EXPECT_EQ(endless.Out, "quill: /dev/zero: the file is larger than the limit of 16777216 bytes\n");
    TRun piped = RunShell(kQuill + " render - < /dev/zero 2>&1 >/dev/null");
    EXPECT_EQ(piped.Code, 1);
    EXPECT_EQ(piped.Out, "quill: <stdin>: the input is larger than the limit of 16777216 bytes\n");
    EXPECT_EQ(RunShell(kQuill + " frobnicate 2>/dev/null").Code, 2);
}

// A link to the process's own standard output, made in our folder, stands
// for /dev/stdout: the page goes to the stream, the link stays.
TEST(QuillProgram, OutputLinkedToStandardOutputIsWrittenInPlace) {
    test::TTempDir dir("quill-stdout");
    const std::string golden = test::ReadFile(std::string(QUILL_SOURCE_DIR) + "/tests/golden/PageOne.html");
    const std::string link = (dir / "stdout").string();
    std::filesystem::create_symlink("/proc/self/fd/1", link);
    TRun piped = RunShell(kQuill + " render " + kPageOne + " -o " + link + " 2>&1 | cat");
    EXPECT_EQ(piped.Code, 0);
    EXPECT_EQ(piped.Out, golden);
    const std::string page = (dir / "page.html").string();
    test::WriteFile(page, "before\r\n");
    EXPECT_EQ(RunShell(kQuill + " render " + kPageOne + " -o " + link + " >> " + page).Code, 0);
    EXPECT_EQ(test::ReadFile(page), "before\r\n" + golden);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(RunShell(kQuill + " render " + kPageOne + " -o - 2>&1").Out, golden);
}

TEST(QuillProgram, WithoutAnyFontLabelsAreMeasuredByTheEstimate) {
    test::TTempDir dir("quill-nofonts");
    test::WriteFile(dir / "fonts.conf", "<?xml version=\"1.0\"?>\n<fontconfig><dir>" + (dir / "none").string() +
                                            "</dir><cachedir>" + (dir / "cache").string() + "</cachedir></fontconfig>\n");
    TRun run = RunShell("FONTCONFIG_FILE=" + (dir / "fonts.conf").string() + " " + kQuill + " render " + kPageOne +
                        " 2>/dev/null");
    EXPECT_EQ(run.Code, 0);
    // 13 characters of half the 16-pixel size each; a line of 1.2 times it.
    EXPECT_NE(run.Out.find("<td valign=\"top\" width=\"104\">"), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("<td width=\"12\" height=\"20\"></td>"), std::string::npos) << run.Out;
}

}  // namespace
}  // namespace quill
