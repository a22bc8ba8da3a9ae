#include "cli/QuillCommand.h"

#include <ostream>

#include "aspserver/PageOne.h"
#include "demo/HtmlPage.h"
#include "controls/QuillClasses.h"
#include "framework/Exception.h"
#include "framework/FormReader.h"
#include "page/QuillGenerator.h"
#include "platform/AtomicFile.h"

namespace quill {

namespace {

const char* kHelp =
    "Usage: quill render DESIGN [-o FILE]\n"
    "       quill --help\n"
    "\n"
    "Renders the HTML page of a stored form design (a JSON file, see\n"
    "docs/form-design.md). The page comes from the form's first page\n"
    "generator (TQuillHtmlGenerator).\n"
    "\n"
    "  render DESIGN        write the page to standard output, every line\n"
    "                       followed by CR LF\n"
    "  render DESIGN -o FILE\n"
    "                       save the page to FILE instead; an existing FILE\n"
    "                       is replaced only when the whole page was written;\n"
    "                       a device or pipe is written in place, a link is\n"
    "                       followed, and '-' means standard output\n"
    "  -h, --help           show this help\n"
    "\n"
    "Exit status: 0 done, 1 the design could not be read or the page not\n"
    "written, 2 wrong command line.\n";

int UsageError(std::ostream& err, const std::string& problem) {
    err << "quill: " << problem << "\nTry 'quill --help'.\n";
    return 2;
}

TQuillHtmlGenerator* FirstGenerator(const TForm& form) {
    for (int i = 0; i < form.ComponentCount(); ++i)
        if (auto* g = dynamic_cast<TQuillHtmlGenerator*>(form.Components(i))) return g;
    return nullptr;
}

// Line by line, so a big page never needs a joined copy.
void WritePage(const TStrings& lines, std::ostream& out) {
    for (int i = 0; i < lines.Count(); ++i) out << lines[i] << "\r\n";
    out.flush();
}

int Render(const std::string& design, const std::string* outFile, std::ostream& out, std::ostream& err) {
    try {
        // Checked before anything is written: the page must never replace
        // its own design, whatever name the output gives it.
        if (outFile && platform::SameFile(*outFile, design))
            throw Exception(*outFile + ": the output is the design file itself; the page was not written");
        std::unique_ptr<TForm> form = LoadFormDesign(design);
        TQuillHtmlGenerator* generator = FirstGenerator(*form);
        if (!generator) throw Exception(design + ": " + form->Name() + ": the form has no TQuillHtmlGenerator");
        if (outFile) {
            if (!generator->GenerateToFile(*outFile)) {
                err << "quill: " << design << ": the page was not written: " << generator->LastSaveError() << "\n";
                return 1;
            }
            return 0;
        }
        WritePage(*generator->Generate(), out);
        if (!out) throw Exception("the page could not be written to standard output");
        return 0;
    } catch (const Exception& e) {
        err << "quill: " << e.Message() << "\n";
        return 1;
    }
}

}  // namespace

int RunQuillCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    RegisterQuillClasses();
    RegisterPageOneForm();
    RegisterHtmlPageForm();
    if (args.empty()) return UsageError(err, "no command given");
    if (args[0] == "-h" || args[0] == "--help" || args[0] == "help") {
        out << kHelp;
        return 0;
    }
    if (args[0] != "render") return UsageError(err, "unknown command '" + args[0] + "'");
    std::string design;
    std::string outFile;
    bool haveOut = false;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "-o" || args[i] == "--output") {
            if (i + 1 == args.size()) return UsageError(err, "'" + args[i] + "' needs a file name");
            if (haveOut) return UsageError(err, "more than one output file");
            outFile = args[++i];
            haveOut = true;
        } else if (args[i] == "-h" || args[i] == "--help") {
            out << kHelp;
            return 0;
        } else if (!args[i].empty() && args[i][0] == '-' && args[i] != "-") {
            return UsageError(err, "unknown option '" + args[i] + "'");
        } else if (design.empty()) {
            design = args[i];
        } else {
            return UsageError(err, "more than one design file");
        }
    }
    if (design.empty()) return UsageError(err, "render needs a design file");
    // "-o -" is standard output, as if no output were named.
    return Render(design, haveOut && outFile != "-" ? &outFile : nullptr, out, err);
}

}  // namespace quill
