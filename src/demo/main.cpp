// QuillDemo: the desktop publisher. Shows HtmlPageForm in a window.
#include <cstdlib>
#include <iostream>
#include <string>

#include "demo/HtmlPage.h"
#include "framework/Application.h"
#include "framework/Exception.h"
#include "qtbridge/QtWindowSystem.h"

namespace {

const char* kUsage =
    "Usage: QuillDemo                   open the publisher's window\n"
    "       QuillDemo --screenshot FILE save the window as it opens to FILE (PNG),\n"
    "                                   without a display\n";

}  // namespace

int main(int argc, char** argv) {
    std::string screenshot;
    if (argc == 3 && std::string(argv[1]) == "--screenshot" && *argv[2]) {
        screenshot = argv[2];
    } else if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        std::cout << kUsage;
        return 0;
    } else if (argc != 1) {
        std::cerr << kUsage;
        return 2;
    }
    if (screenshot.empty() && !quill::qtbridge::HaveDisplay()) {
        std::cerr << "QuillDemo: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are not set).\n"
                     "Try 'QuillDemo --screenshot FILE' to see the window as a PNG.\n";
        return 1;
    }
    try {
        quill::qtbridge::TQtWindowSystem windows(argc, argv, screenshot);
        quill::Application().Initialize(windows);
        quill::Application().CreateForm(quill::THtmlPageForm::Create());
        return quill::Application().Run();
    } catch (const quill::Exception& e) {
        std::cerr << "QuillDemo: " << e.Message() << "\n";
        return 1;
    }
}
