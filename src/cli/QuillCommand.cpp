#include "cli/QuillCommand.h"

#include <iostream>
#include <nlohmann/json.hpp>

#include "aspserver/PageOne.h"
#include "cli/DesignCheck.h"
#include "cli/DesignInput.h"
#include "cli/ToolCommands.h"
#include "demo/HtmlPage.h"
#include "controls/QuillClasses.h"
#include "framework/Exception.h"
#include "framework/FormReader.h"
#include "framework/NameSuggestion.h"
#include "page/QuillGenerator.h"
#include "platform/AtomicFile.h"
#include "quill/Page.h"

namespace quill {

namespace {

const char* kHelp =
    "Usage: quill render [-q] [--strict] DESIGN [-o FILE] [--set NAME.PROPERTY=VALUE]...\n"
    "       quill check [--quiet] DESIGN...\n"
    "       quill format DESIGN [-o FILE]\n"
    "       quill classes [CLASS]\n"
    "       quill schema [-o FILE]\n"
    "       quill --help | --version\n"
    "\n"
    "Works with stored form designs (JSON files, see docs/form-design.md).\n"
    "DESIGN may be '-' for standard input.\n"
    "\n"
    "  render DESIGN        write the page of the form's first page generator\n"
    "                       (TQuillHtmlGenerator) to standard output, every\n"
    "                       line followed by CR LF\n"
    "  render DESIGN -o FILE\n"
    "                       save the page to FILE instead; an existing FILE\n"
    "                       is replaced only when the whole page was written;\n"
    "                       a device or pipe is written in place, a link is\n"
    "                       followed, and '-' means standard output\n"
    "                       Findings of 'check' that mean the page drops or\n"
    "                       changes content (controls left out, overlaps, a\n"
    "                       caption too big for its cell, ...) go to standard\n"
    "                       error as FILE: OBJECT: warning: ...; the page is\n"
    "                       still written and the exit status stays 0\n"
    "  render -q DESIGN     the same without those warnings\n"
    "  render --strict DESIGN\n"
    "                       such findings are errors: the page is not\n"
    "                       written, exit 3\n"
    "  render DESIGN --set NAME.PROPERTY=VALUE\n"
    "                       set a published property before rendering, as\n"
    "                       the design would: QuillLabel1.Caption=Hello,\n"
    "                       QuillLabel1.CellFormat.AlignH=haRight; integers\n"
    "                       and booleans as text (12, true), a set as\n"
    "                       members with commas (fsBold,fsItalic); repeat\n"
    "                       it for more values, applied in order\n"
    "  check DESIGN...      read each design, render nothing, and print one\n"
    "                       line per finding: FILE: OBJECT: warning: ...\n"
    "                       (what the page leaves out or changes); exit 0\n"
    "                       clean, 1 a design error, 3 warnings only\n"
    "  check --quiet ...    print errors only\n"
    "  format DESIGN        write the design back in its normal form: stored\n"
    "                       properties only, in published order\n"
    "  classes              list the classes a design may name\n"
    "  classes CLASS        list a class's published properties: type, value\n"
    "                       of a new object, enumeration members\n"
    "  schema               print the JSON Schema of designs, for editors\n"
    "  -o FILE              write to FILE instead of standard output ('-'\n"
    "                       is standard output); FILE is replaced in one step\n"
    "  -h, --help           show this help\n"
    "  --version            show the version\n"
    "\n"
    "Exit status: 0 done, 1 the design could not be read or the output not\n"
    "written, 2 wrong command line, 3 check found warnings only, or render\n"
    "--strict found content the page drops or changes.\n";

int UsageError(std::ostream& err, const std::string& problem) {
    err << "quill: " << problem << "\nTry 'quill --help'.\n";
    return 2;
}

// Line by line, so a big page never needs a joined copy.
void WritePage(const TStrings& lines, std::ostream& out) {
    for (int i = 0; i < lines.Count(); ++i) out << lines.View(i) << "\r\n";
    out.flush();
}

// One --set argument: the property's path and its text value.
struct TSetting {
    std::string Path;
    std::string Value;
};

struct TRenderOptions {
    const std::string* OutFile = nullptr;
    std::vector<TSetting> Settings;  // applied in order before rendering
    bool Quiet = false;   // no warnings on standard error
    bool Strict = false;  // content the page drops or changes is an error
};

// Tells what the page of `form` drops or changes, unless quiet, and answers
// how many such findings there are. Quiet and not strict, it looks for none:
// a big design then costs no second reading.
size_t ReportPageChanges(const TForm& form, const TDesignInput& input, const TRenderOptions& options,
                         std::ostream& err) {
    if (options.Quiet && !options.Strict) return 0;
    nlohmann::json design;
    try {
        design = nlohmann::json::parse(input.Text);
    } catch (const nlohmann::json::exception& e) {
        // The reader took it, so this is not expected; still no crash.
        throw Exception(input.Name + ": the design could not be checked: " + e.what());
    }
    size_t count = 0;
    for (const TDesignFinding& f : CheckDesign(form, design)) {
        if (f.Kind != TFindingKind::PageChange) continue;
        ++count;
        if (!options.Quiet) err << input.Name << ": " << f.Path << ": warning: " << f.Message << "\n";
    }
    return count;
}

int Render(const std::string& design, const TRenderOptions& options, TCommandStreams io) {
    std::ostream& out = io.Out;
    std::ostream& err = io.Err;
    const std::string* outFile = options.OutFile;
    try {
        // Checked before anything is written: the page must never replace
        // its own design, whatever name the output gives it.
        if (outFile && platform::SameFile(*outFile, design))
            throw Exception(*outFile + ": the output is the design file itself; the page was not written");
        TDesignInput input = ReadDesignInput(design, io.In);
        Page page = Page::FromString(input.Text, input.Name);
        for (const TSetting& setting : options.Settings) page.Set(setting.Path, setting.Value);
        // What the page loses is told of the page as it will be written,
        // values set included.
        const size_t changes = ReportPageChanges(page.Form(), input, options, err);
        if (changes > 0 && options.Strict) {
            err << "quill: " << input.Name << ": the page was not written: it would drop or change content in "
                << changes << (changes == 1 ? " place" : " places") << " (--strict)\n";
            return 3;
        }
        if (outFile) {
            if (!page.Generator().GenerateToFile(*outFile)) {
                err << "quill: " << design << ": the page was not written: " << page.Generator().LastSaveError() << "\n";
                return 1;
            }
            return 0;
        }
        page.Render(out);
        if (!out) throw Exception("the page could not be written to standard output");
        return 0;
    } catch (const Exception& e) {
        err << "quill: " << e.Message() << "\n";
        return 1;
    }
}

}  // namespace

using TCommand = int (*)(const std::vector<std::string>&, TCommandStreams);

const std::vector<std::pair<std::string, TCommand>>& DesignerCommands() {
    static const std::vector<std::pair<std::string, TCommand>> commands = {
        {"check", CheckCommand}, {"classes", ClassesCommand}, {"format", FormatCommand}, {"schema", SchemaCommand}};
    return commands;
}

int RunDesignerCommand(TCommand command, const std::vector<std::string>& args, TCommandStreams io) {
    for (const std::string& a : args)
        if (a == "-h" || a == "--help") {
            io.Out << kHelp;
            return 0;
        }
    try {
        return command(args, io);
    } catch (const TUsageError& e) {
        return UsageError(io.Err, e.Problem);
    }
}

int RunQuillCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return RunQuillCommand(args, std::cin, out, err);
}

int RunQuillCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
    RegisterQuillClasses();
    RegisterPageOneForm();
    RegisterHtmlPageForm();
    if (args.empty()) return UsageError(err, "no command given");
    if (args[0] == "-h" || args[0] == "--help" || args[0] == "help") {
        out << kHelp;
        return 0;
    }
    if (args[0] == "--version" || args[0] == "-V") {
        out << "quill " << QUILL_VERSION << "\n";
        return 0;
    }
    for (const auto& [name, command] : DesignerCommands())
        if (args[0] == name) return RunDesignerCommand(command, {args.begin() + 1, args.end()}, {in, out, err});
    if (args[0] != "render") {
        std::vector<std::string> names = {"render"};
        for (const auto& entry : DesignerCommands()) names.push_back(entry.first);
        return UsageError(err, "unknown command '" + args[0] + "'" + DidYouMean(args[0], names));
    }
    std::string design;
    std::string outFile;
    bool haveOut = false;
    bool quiet = false;
    bool strict = false;
    std::vector<TSetting> settings;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "-o" || args[i] == "--output") {
            if (i + 1 == args.size()) return UsageError(err, "'" + args[i] + "' needs a file name");
            if (haveOut) return UsageError(err, "more than one output file");
            outFile = args[++i];
            haveOut = true;
        } else if (args[i] == "--set") {
            const size_t equals = i + 1 < args.size() ? args[i + 1].find('=') : std::string::npos;
            if (equals == std::string::npos) return UsageError(err, "'--set' needs NAME.PROPERTY=VALUE");
            settings.push_back({args[i + 1].substr(0, equals), args[i + 1].substr(equals + 1)});
            ++i;
        } else if (args[i] == "-h" || args[i] == "--help") {
            out << kHelp;
            return 0;
        } else if (args[i] == "-q" || args[i] == "--quiet") {
            quiet = true;
        } else if (args[i] == "--strict") {
            strict = true;
        } else if (!args[i].empty() && args[i][0] == '-' && args[i] != "-") {
            return UsageError(err, "unknown option '" + args[i] + "'");
        } else if (design.empty()) {
            design = args[i];
        } else {
            return UsageError(err, "more than one design file");
        }
    }
    if (design.empty()) return UsageError(err, "render needs a design file");
    TRenderOptions options;
    // "-o -" is standard output, as if no output were named.
    options.OutFile = haveOut && outFile != "-" ? &outFile : nullptr;
    options.Settings = std::move(settings);
    options.Quiet = quiet;
    options.Strict = strict;
    return Render(design, options, {in, out, err});
}

}  // namespace quill
