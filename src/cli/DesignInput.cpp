#include "cli/DesignInput.h"

#include <istream>
#include <ostream>
#include <string>

#include "framework/DesignLimits.h"
#include "framework/Exception.h"
#include "framework/FormReader.h"
#include "platform/AtomicFile.h"

namespace quill {

namespace {

// Reads the stream in chunks and stops one chunk past the limit, so an endless
// stream such as /dev/zero piped in is refused instead of exhausting memory.
std::string ReadBounded(std::istream& in, size_t limit) {
    std::string text;
    char chunk[1 << 16];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        const size_t got = static_cast<size_t>(in.gcount());
        if (got > limit - text.size())
            throw Exception("<stdin>: the input is larger than the limit of " + std::to_string(limit) + " bytes");
        text.append(chunk, got);
    }
    return text;
}

}  // namespace

TDesignInput ReadDesignInput(const std::string& argument, std::istream& in) {
    // Bounded like every design read, so a device such as /dev/zero is refused, not read until memory runs out.
    if (argument != "-") return {argument, platform::ReadWholeFile(argument, TDesignLimits::kMaxFileBytes)};
    std::string text = ReadBounded(in, TDesignLimits::kMaxFileBytes);
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
