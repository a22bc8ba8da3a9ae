#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace quill {

// The designer's commands of the quill program. Each takes the arguments
// after its name and returns the exit status; usage mistakes raise
// TUsageError, which the caller reports with its usage hint.
struct TUsageError {
    std::string Problem;
};

struct TCommandStreams {
    std::istream& In;
    std::ostream& Out;
    std::ostream& Err;
};

// quill check [--quiet] DESIGN...: 0 clean, 1 a design error, 3 warnings only.
int CheckCommand(const std::vector<std::string>& args, TCommandStreams io);
// quill schema [-o FILE]
int SchemaCommand(const std::vector<std::string>& args, TCommandStreams io);
// quill classes [CLASS]
int ClassesCommand(const std::vector<std::string>& args, TCommandStreams io);
// quill format DESIGN [-o FILE]
int FormatCommand(const std::vector<std::string>& args, TCommandStreams io);

}  // namespace quill
