// Every input the design fuzzer ever found a fault with, rendered by the
// quill program's own path: each must end in a page (exit 0) or one clear
// error line (exit 1).
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/QuillCommand.h"

namespace quill {
namespace {

TEST(FuzzRegressions, EveryFoundInputEndsInAPageOrAClearError) {
    std::filesystem::path folder = std::filesystem::path(QUILL_SOURCE_DIR) / "tests" / "fuzz-regressions";
    int seen = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".json") continue;
        ++seen;
        std::ostringstream out, err;
        int code = RunQuillCommand({"render", entry.path().string()}, out, err);
        SCOPED_TRACE(entry.path().filename().string());
        if (code == 0) {
            EXPECT_NE(out.str().find("</table>"), std::string::npos);
        } else {
            EXPECT_EQ(code, 1);
            std::string message = err.str();
            EXPECT_EQ(message.rfind("quill: ", 0), 0u) << message;
            EXPECT_EQ(message.find('\n'), message.size() - 1) << message;
        }
    }
    EXPECT_GT(seen, 0);
}

}  // namespace
}  // namespace quill
