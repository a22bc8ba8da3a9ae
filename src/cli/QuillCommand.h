#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace quill {

// The `quill` command: `quill render DESIGN [-o FILE] [--set NAME.PROPERTY=VALUE]...`
// writes the page of a stored form design, with values set by name; check,
// format, classes and schema help to write designs. Returns the exit code:
// 0 done, 1 the design or the output failed, 2 the command line was wrong,
// 3 check found warnings only.
int RunQuillCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// The same with the standard input `in` (a design named "-").
int RunQuillCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace quill
