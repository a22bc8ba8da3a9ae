// quill classes [CLASS]: the classes a design may name, or one class's
// published properties with their types, new values and members.
#include <iomanip>
#include <ostream>

#include "cli/ToolCommands.h"
#include "controls/QuillCustomControl.h"
#include "framework/DesignCatalog.h"
#include "framework/FormWriter.h"
#include "framework/NameSuggestion.h"

namespace quill {

namespace {

std::string KindOf(const TClassInfo& info) {
    if (IsFormClass(info)) return "form, the root of a design";
    if (info.InheritsFrom(TQuillCustomControl::StaticInfo()))
        return info.AcceptsChildren ? "page control that holds page controls" : "page control";
    if (info.IsControl && info.AcceptsChildren) return "container control, not on the page";
    if (info.IsControl) return "control, not on the page";
    return "non-visual component, a child of the form";
}

std::string NewValue(const TCatalogClass& c, const TPropInfo& prop) {
    switch (prop.Kind) {
    case TPropKind::Object:
        return "nested " + prop.TypeName + ", see 'quill classes " + prop.TypeName + "'";
    case TPropKind::Reference:
        return "name of a " + prop.TypeName + "; none when absent";
    case TPropKind::Event:
        return "name of a published handler of the form's class";
    default:
        break;
    }
    std::string text = WritePropertyValue(*c.Sample, prop).dump();
    if (prop.Default) text += " (default)";
    if (prop.Enum) text += "; members: " + JoinNames(prop.Enum->Members);
    if (prop.Kind == TPropKind::Color) text += "; a colour name, \"#RRGGBB\" (red first) or an integer";
    return text;
}

void ListClasses(const TDesignCatalog& catalog, std::ostream& out) {
    out << "Classes a design may name:\n";
    for (const TCatalogClass& c : catalog.Classes())
        if (c.Component)
            out << "  " << std::left << std::setw(22) << c.Info->Name << KindOf(*c.Info) << "\n";
    out << "Property objects, filled in place:\n";
    for (const TCatalogClass& c : catalog.Classes())
        if (!c.Component) out << "  " << c.Info->Name << "\n";
    out << "Run 'quill classes CLASS' for a class's published properties.\n";
}

void ListHandlers(const TClassInfo& info, std::ostream& out) {
    std::vector<std::string> handlers;
    for (const TClassInfo* c = &info; c; c = c->Parent)
        for (const TMethodInfo& m : c->Methods) handlers.push_back(m.Name + " (" + m.EventTypeName + ")");
    out << "Published handlers, for the events of its components: "
        << (handlers.empty() ? "none, so a design of this class binds no events" : JoinNames(handlers)) << "\n";
}

void DescribeClass(const TCatalogClass& c, std::ostream& out) {
    out << c.Info->Name;
    if (c.Component) out << ": " << KindOf(*c.Info);
    if (c.Info->Parent) out << "; derives from " << c.Info->Parent->Name;
    out << "\nPublished properties, in published order: name, type, value of a new object. A value marked\n"
           "(default) is the declared default, which a design need not give and the writer leaves out.\n";
    for (const TPropInfo* prop : c.Info->PublishedProperties())
        out << "  " << std::left << std::setw(20) << prop->Name << " " << std::setw(25) << prop->TypeName << " "
            << NewValue(c, *prop) << "\n";
    if (c.Component && IsFormClass(*c.Info)) ListHandlers(*c.Info, out);
}

}  // namespace

int ClassesCommand(const std::vector<std::string>& args, TCommandStreams io) {
    for (const std::string& a : args)
        if (a.size() > 1 && a[0] == '-') throw TUsageError{"unknown option '" + a + "'"};
    if (args.size() > 1) throw TUsageError{"classes takes at most one class name"};
    TDesignCatalog catalog;
    if (args.empty()) {
        ListClasses(catalog, io.Out);
        return 0;
    }
    const TCatalogClass* c = catalog.Find(args[0]);
    if (!c) {
        io.Err << "quill: unknown class \"" << args[0] << "\"" << DidYouMean(args[0], catalog.ClassNames()) << "\n";
        return 1;
    }
    DescribeClass(*c, io.Out);
    return 0;
}

}  // namespace quill
