#include "cli/ToolCommands.h"

#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/DesignCheck.h"
#include "cli/DesignInput.h"
#include "framework/DesignCatalog.h"
#include "framework/DesignSchema.h"
#include "framework/Exception.h"
#include "framework/FormReader.h"
#include "framework/FormWriter.h"
#include "framework/NameSuggestion.h"

namespace quill {

namespace {

// The plain arguments and an optional "-o FILE" of a command.
struct TArguments {
    std::vector<std::string> Plain;
    std::string Output = "-";
    bool Quiet = false;
};

TArguments ParseArguments(const std::vector<std::string>& args, bool takesOutput, bool takesQuiet) {
    TArguments result;
    bool haveOutput = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (takesOutput && (a == "-o" || a == "--output")) {
            if (i + 1 == args.size()) throw TUsageError{"'" + a + "' needs a file name"};
            if (haveOutput) throw TUsageError{"more than one output file"};
            result.Output = args[++i];
            haveOutput = true;
        } else if (takesQuiet && (a == "-q" || a == "--quiet")) {
            result.Quiet = true;
        } else if (a.size() > 1 && a[0] == '-') {
            throw TUsageError{"unknown option '" + a + "'"};
        } else {
            result.Plain.push_back(a);
        }
    }
    return result;
}

// "FILE: PATH: error: problem" from a reader message "FILE: PATH: problem",
// "FILE:LINE:COLUMN: problem" or "FILE: problem". Object paths hold no blank.
std::string ErrorLine(const std::string& file, const std::string& message) {
    if (message.rfind(file, 0) != 0) return file + ": error: " + message;
    size_t place = file.size();
    if (message.compare(place, 2, ": ") == 0) {
        size_t end = message.find(": ", place + 2);
        if (end != std::string::npos && message.find(' ', place + 2) > end) place = end;
    } else {
        place = message.find(": ", place);
    }
    if (place == std::string::npos) return file + ": error: " + message;
    return message.substr(0, place) + ": error: " + message.substr(place + 2);
}

enum TCheckResult { crClean = 0, crError = 1, crWarnings = 3 };

TCheckResult CheckOne(const std::string& argument, bool quiet, TCommandStreams io) {
    try {
        TDesignInput input = ReadDesignInput(argument, io.In);
        std::unique_ptr<TForm> form = ReadFormDesign(input.Text, input.Name);
        std::vector<TDesignFinding> findings = CheckDesign(*form, nlohmann::json::parse(input.Text));
        if (!quiet)
            for (const TDesignFinding& f : findings) io.Out << input.Name << ": " << f.Path << ": warning: " << f.Message << "\n";
        return findings.empty() ? crClean : crWarnings;
    } catch (const Exception& e) {
        io.Out << ErrorLine(argument == "-" ? "<stdin>" : argument, e.Message()) << "\n";
        return crError;
    }
}

}  // namespace

int CheckCommand(const std::vector<std::string>& args, TCommandStreams io) {
    TArguments a = ParseArguments(args, false, true);
    if (a.Plain.empty()) throw TUsageError{"check needs a design file"};
    TCheckResult worst = crClean;
    for (const std::string& design : a.Plain) {
        TCheckResult r = CheckOne(design, a.Quiet, io);
        if (r == crError || worst == crClean) worst = worst == crError ? crError : r;
    }
    io.Out.flush();
    return worst;
}

int SchemaCommand(const std::vector<std::string>& args, TCommandStreams io) {
    TArguments a = ParseArguments(args, true, false);
    if (!a.Plain.empty()) throw TUsageError{"schema takes no design file"};
    try {
        WriteOutput(a.Output, DesignSchema(TDesignCatalog()), io.Out);
        return 0;
    } catch (const Exception& e) {
        io.Err << "quill: " << e.Message() << "\n";
        return 1;
    }
}

int FormatCommand(const std::vector<std::string>& args, TCommandStreams io) {
    TArguments a = ParseArguments(args, true, false);
    if (a.Plain.size() != 1) throw TUsageError{a.Plain.empty() ? "format needs a design file" : "more than one design file"};
    try {
        TDesignInput input = ReadDesignInput(a.Plain[0], io.In);
        std::unique_ptr<TForm> form = ReadFormDesign(input.Text, input.Name);
        // The reader ignores "$schema"; formatting keeps it for editors.
        nlohmann::json design = nlohmann::json::parse(input.Text);
        std::string schema = design.contains("$schema") && design["$schema"].is_string() ? design["$schema"].get<std::string>() : "";
        WriteOutput(a.Output, WriteFormDesign(*form, schema), io.Out);
        return 0;
    } catch (const Exception& e) {
        io.Err << "quill: " << e.Message() << "\n";
        return 1;
    }
}

}  // namespace quill
