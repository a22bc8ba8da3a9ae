#include "cli/DesignInput.h"

#include <istream>
#include <iterator>
#include <ostream>

#include "framework/DesignLimits.h"
#include "framework/Exception.h"
#include "framework/FormReader.h"
#include "platform/AtomicFile.h"

namespace quill {

namespace {

std::string ReadAll(std::istream& in) {
    return std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TDesignInput ReadDesignInput(const std::string& argument, std::istream& in) {
    // Bounded like every design read, so a device such as /dev/zero is refused, not read until memory runs out.
    if (argument != "-") return {argument, platform::ReadWholeFile(argument, TDesignLimits::kMaxFileBytes)};
    std::string text = ReadAll(in);
    if (in.bad()) throw Exception("<stdin>: cannot read the design from standard input");
    return {"<stdin>", std::move(text)};
}

std::unique_ptr<TForm> LoadDesignInput(const std::string& argument, std::istream& in) {
    TDesignInput input = ReadDesignInput(argument, in);
    return ReadFormDesign(input.Text, input.Name);
}

void WriteOutput(const std::string& file, const std::string& text, std::ostream& out) {
    if (file != "-") return platform::WriteFileAtomically(file, text);
    out << text;
    out.flush();
    if (!out) throw Exception("cannot write to standard output");
}

}  // namespace quill
