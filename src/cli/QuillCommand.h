#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace quill {

// The `quill` command: `quill render DESIGN [-o FILE]` writes the page of a
// stored form design. Returns the exit code: 0 done, 1 the design or the
// page failed, 2 the command line was wrong.
int RunQuillCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace quill
