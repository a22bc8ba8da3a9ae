#include "qtbridge/QtWindowSystem.h"

#include <cstdlib>

#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

#include "framework/Exception.h"
#include "qtbridge/FormWindow.h"
#include "qtbridge/QtPalette.h"

namespace quill::qtbridge {

void SaveScreenshot(const QImage& image, const std::string& fileName) {
    QString name = ToQString(fileName);
    QFileInfo info(name);
    if (info.exists() && !info.isFile()) throw Exception(fileName + ": cannot write the screenshot: not a regular file");
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly))
        throw Exception(fileName + ": cannot write the screenshot: " + FromQString(file.errorString()));
    QImageWriter writer(&file, "PNG");
    if (!writer.write(image))
        throw Exception(fileName + ": cannot write the screenshot: " + FromQString(writer.errorString()));
    if (!file.commit()) throw Exception(fileName + ": cannot write the screenshot: " + FromQString(file.errorString()));
}

bool HaveDisplay() {
    auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
}

TQtWindowSystem::TQtWindowSystem(int& argc, char** argv, std::string screenshotFile)
    : FScreenshotFile(std::move(screenshotFile)) {
    // A screenshot needs no screen; Qt's offscreen platform draws in memory.
    if (!FScreenshotFile.empty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    FApp = std::make_unique<QApplication>(argc, argv);
}

TQtWindowSystem::~TQtWindowSystem() = default;

int TQtWindowSystem::Run(TForm& mainForm) {
    TFormWindow window(mainForm);
    window.show();
    if (FScreenshotFile.empty()) return QApplication::exec();
    QApplication::processEvents();
    SaveScreenshot(window.grab().toImage(), FScreenshotFile);
    return 0;
}

}  // namespace quill::qtbridge
