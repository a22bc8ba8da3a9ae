#pragma once

#include <iosfwd>
#include <memory>
#include <string>

#include "framework/Form.h"

namespace quill {

// A design named on the command line: a file, or "-" for standard input.
struct TDesignInput {
    std::string Name;  // as messages show it: the file name, or "<stdin>"
    std::string Text;
};

// Reads the named design's text; raises Exception naming it on failure.
TDesignInput ReadDesignInput(const std::string& argument, std::istream& in);

// Reads and creates the named design's form.
std::unique_ptr<TForm> LoadDesignInput(const std::string& argument, std::istream& in);

// Writes `text` to FILE ("-" is standard output), replacing FILE in one step.
void WriteOutput(const std::string& file, const std::string& text, std::ostream& out);

}  // namespace quill
