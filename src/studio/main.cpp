// QuillStudio: the visual designer of page forms.
#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QWebEngineView>
#include <cstdlib>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

#include "framework/Exception.h"
#include "qtbridge/QtWindowSystem.h"
#include "studio/Autosave.h"
#include "studio/DesignDocument.h"
#include "studio/PagePreview.h"
#include "studio/StudioWindow.h"

namespace {

const char* kUsage =
    "Usage: QuillStudio [--page-grid] [DESIGN]      open the designer, on DESIGN if given\n"
    "       QuillStudio --screenshot FILE [--page-grid] [DESIGN]\n"
    "                                               save the designer's window, once its\n"
    "                                               page preview has loaded, to FILE (PNG),\n"
    "                                               without a display\n"
    "       QuillStudio --help                      show this text\n"
    "  --page-grid  start with View > Page Grid on: the page table's lines over the form\n";

struct TArguments {
    std::string Screenshot;
    std::string Design;
    bool PageGrid = false;
};

// False with a message on standard error for anything else.
bool Parse(const std::vector<std::string>& args, TArguments& parsed) {
    size_t i = 0;
    if (i < args.size() && args[i] == "--screenshot") {
        if (i + 1 >= args.size() || args[i + 1].empty()) {
            std::cerr << "QuillStudio: --screenshot needs a file name\n" << kUsage;
            return false;
        }
        parsed.Screenshot = args[i + 1];
        i += 2;
    }
    if (i < args.size() && args[i] == "--page-grid") {
        parsed.PageGrid = true;
        ++i;
    }
    if (i < args.size()) {
        if (args[i].size() > 1 && args[i][0] == '-') {
            std::cerr << "QuillStudio: unknown option " << args[i] << "\n" << kUsage;
            return false;
        }
        parsed.Design = args[i++];
    }
    if (i < args.size()) {
        std::cerr << "QuillStudio: more than one design given\n" << kUsage;
        return false;
    }
    return true;
}

// Lets the preview's web view load and paint its page, so that a
// screenshot shows it; a view that never loads costs ten seconds at most.
void WaitForPreview(quill::studio::TStudioWindow& window) {
    quill::studio::TPagePreview& preview = window.Preview();
    preview.Regenerate();
    if (preview.Html().empty()) return;
    QEventLoop loop;
    QObject::connect(&preview.View(), &QWebEngineView::loadFinished, &loop, &QEventLoop::quit);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    QTimer::singleShot(500, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << kUsage;
        return 0;
    }
    TArguments parsed;
    if (!Parse(args, parsed)) return 2;
    if (parsed.Screenshot.empty() && !quill::qtbridge::HaveDisplay()) {
        std::cerr << "QuillStudio: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are not set).\n"
                     "Try 'QuillStudio --screenshot FILE [DESIGN]' to see the window as a PNG.\n";
        return 1;
    }
    // A screenshot needs no screen; Qt's offscreen platform draws in memory.
    if (!parsed.Screenshot.empty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The web view's renderer sandbox cannot start for root; without this
    // the preview stays blank there.
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Quill");
    QApplication::setApplicationName("QuillStudio");
    quill::studio::TStudioWindow window;
    // A newer autosaved copy is offered once the window is up; opening the
    // design first would drop the copy.
    const bool recover = parsed.Screenshot.empty() && !parsed.Design.empty() &&
                         quill::studio::TAutosave::NewerCopy(parsed.Design).has_value();
    try {
        // A design named on the command line must open, or the program says why.
        if (!parsed.Design.empty() && !recover) window.Document().Open(parsed.Design);
    } catch (const quill::Exception& e) {
        std::cerr << "QuillStudio: " << e.Message() << "\n";
        return 1;
    }
    if (parsed.PageGrid) window.PageGridAction()->setChecked(true);
    window.show();
    if (!parsed.Screenshot.empty()) {
        QApplication::processEvents();
        WaitForPreview(window);
        try {
            quill::qtbridge::SaveScreenshot(window.grab().toImage(), parsed.Screenshot);
        } catch (const quill::Exception& e) {
            std::cerr << "QuillStudio: " << e.Message() << "\n";
            return 1;
        }
        return 0;
    }
    QMetaObject::invokeMethod(&window, [&window, recover, design = parsed.Design] {
        if (design.empty())
            window.OfferUntitledRecovery();
        else if (recover)
            window.OpenFile(QString::fromStdString(design));
    }, Qt::QueuedConnection);
    return QApplication::exec();
}
