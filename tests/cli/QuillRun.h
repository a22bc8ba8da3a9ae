#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/QuillCommand.h"

namespace quill::test {

// What one run of the quill program's command gave, run in process.
struct TResult {
    int Code;
    std::string Out;
    std::string Err;
};

inline TResult Quill(const std::vector<std::string>& args, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out, err;
    int code = RunQuillCommand(args, in, out, err);
    return {code, out.str(), err.str()};
}

}  // namespace quill::test
