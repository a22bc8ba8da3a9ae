#pragma once

#include <QApplication>
#include <QImage>
#include <memory>
#include <string>

#include "framework/Application.h"

namespace quill::qtbridge {

// Writes the image as a PNG file, replacing the file only once the whole
// image is written; raises Exception naming the file and the reason.
void SaveScreenshot(const QImage& image, const std::string& fileName);
// Whether a window can be shown: a display is named, or a Qt platform is
// chosen that needs none.
bool HaveDisplay();

// Shows the application's forms with Qt Widgets. With a screenshot file
// it builds the main form's window off screen (no display needed), saves
// the window's client area as a PNG and returns instead of running.
class TQtWindowSystem : public TWindowSystem {
public:
    // `argc` must outlive the window system, as Qt requires.
    TQtWindowSystem(int& argc, char** argv, std::string screenshotFile = {});
    ~TQtWindowSystem() override;

    int Run(TForm& mainForm) override;

private:
    std::string FScreenshotFile;
    std::unique_ptr<QApplication> FApp;
};

}  // namespace quill::qtbridge
