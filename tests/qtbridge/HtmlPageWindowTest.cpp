// The demo's window, driven through its real widgets.
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>
#include <cstdlib>
#include <memory>

#include "TestSupport.h"
#include "demo/HtmlPage.h"
#include "qtbridge/FormWindow.h"

using namespace quill;

namespace {

// Leftmost and rightmost columns holding dark pixels, inside the frame.
std::pair<int, int> InkColumns(QWidget& widget) {
    QImage image = widget.grab().toImage();
    int left = image.width(), right = -1;
    for (int y = 2; y < image.height() - 2; ++y)
        for (int x = 2; x < image.width() - 2; ++x)
            if (qGray(image.pixel(x, y)) < 100) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    return {left, right};
}

// How many slots of `lineHeight` rows, from the top, hold dark pixels:
// the lines of text that show.
int LinesWithInk(QWidget& widget, int lineHeight) {
    QImage image = widget.grab().toImage();
    int lines = 0;
    for (int top = 0; top < image.height(); top += lineHeight) {
        bool ink = false;
        for (int y = top; y < std::min(top + lineHeight, image.height()) && !ink; ++y)
            for (int x = 2; x < image.width() - 2 && !ink; ++x) ink = qGray(image.pixel(x, y)) < 100;
        if (ink) ++lines;
    }
    return lines;
}

}  // namespace

class HtmlPageWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TTempDir> Dir;
    std::unique_ptr<THtmlPageForm> Form;
    std::unique_ptr<qtbridge::TFormWindow> Window;
    std::vector<std::string> Opened;

    template <class W>
    W* Widget(const char* name) {
        auto* widget = qobject_cast<W*>(Window->WidgetOf(name));
        if (!widget) qFatal("no widget %s", name);
        return widget;
    }
    std::string Page() { return Form->QuillHtmlGenerator1->Generate()->Text(); }
    bool PageHas(const std::string& text) { return Page().find(text) != std::string::npos; }

private slots:
    void init() {
        Dir = std::make_unique<test::TTempDir>("quill-window");
        Form = THtmlPageForm::Create();
        Form->SetPageFolder(Dir->Path().string() + "/");
        Opened.clear();
        Form->SetPageOpener([this](const std::string& fileName) {
            Opened.push_back(fileName);
            return platform::TOpenResult{true, {}};
        });
        Window = std::make_unique<qtbridge::TFormWindow>(*Form);
        Window->show();
    }

    void cleanup() {
        Window.reset();
        Form.reset();
        Dir.reset();
    }

    void opensAsDesigned() {
        QCOMPARE(Window->windowTitle(), QString("QuillHtml Example 02 - Run-time HTML"));
        // The client area is as designed; the status bar adds to the window.
        QCOMPARE(Window->centralWidget()->size(), QSize(415, 323));
        QCOMPARE(Window->height(), 323 + Window->statusBar()->height());
        QCOMPARE(Form->BoundsRect(), (TRect{366, 133, 366 + 423, 133 + 357}));
        QCOMPARE(Widget<QLineEdit>("Edit1")->text(), QString("Hello World"));
        QCOMPARE(Widget<QWidget>("QuillLabel1")->geometry(), QRect(0, 0, 415, 27));
        QVERIFY(Widget<QToolButton>("ToolButton3")->isChecked());
        QVERIFY(!Widget<QToolButton>("ToolButton2")->isChecked());
        QVERIFY(!Widget<QToolButton>("ToolButton2")->icon().isNull());
    }

    void typingChangesTheLabelOnScreenAndThePage() {
        QWidget* label = Widget<QWidget>("QuillLabel1");
        auto [left, right] = InkColumns(*label);
        QTest::keyClicks(Widget<QLineEdit>("Edit1"), ", once more");
        QCOMPARE(Form->QuillLabel1->Caption(), std::string("Hello World, once more"));
        QVERIFY(PageHas(">Hello World, once more</font></td>"));
        auto [newLeft, newRight] = InkColumns(*label);
        // Still centred, and wider on both sides.
        QVERIFY2(newLeft < left && newRight > right, qPrintable(QString("%1..%2 -> %3..%4").arg(left).arg(right).arg(newLeft).arg(newRight)));
        QVERIFY(std::abs((newLeft + newRight) - label->width()) <= 4);
    }

    void alignmentButtonsMoveTheCaptionAndChangeThePage() {
        QWidget* label = Widget<QWidget>("QuillLabel1");
        QTest::mouseClick(Widget<QToolButton>("ToolButton4"), Qt::LeftButton);
        QVERIFY(PageHas("<td align=\"right\""));
        QVERIFY(Widget<QToolButton>("ToolButton4")->isChecked());
        QVERIFY(!Widget<QToolButton>("ToolButton3")->isChecked());
        QVERIFY(InkColumns(*label).second >= label->width() - 6);
        QVERIFY(InkColumns(*label).first > label->width() / 2);

        // The button that is down stays down when clicked again.
        QTest::mouseClick(Widget<QToolButton>("ToolButton4"), Qt::LeftButton);
        QVERIFY(Widget<QToolButton>("ToolButton4")->isChecked());
        QVERIFY(Form->ToolButton4->Down());

        QTest::mouseClick(Widget<QToolButton>("ToolButton2"), Qt::LeftButton);
        QVERIFY(PageHas("<td align=\"left\""));
        QVERIFY(InkColumns(*label).first <= 4);
        QVERIFY(!Widget<QToolButton>("ToolButton4")->isChecked());
    }

    void publishWritesThePageAndSaysSo() {
        QTest::keyClicks(Widget<QLineEdit>("Edit1"), "!");
        QTest::mouseClick(Widget<QPushButton>("PublishButton"), Qt::LeftButton);
        std::string path = (Dir->Path() / "page.html").string();
        QCOMPARE(test::ReadFile(path), Page());
        QVERIFY(PageHas(">Hello World!</font>"));
        QCOMPARE(Opened, std::vector<std::string>{path});
        QCOMPARE(Window->statusBar()->currentMessage(), QString::fromStdString("Published " + path));

        Form->SetPageFolder(Dir->Path().string() + "/missing/");
        QTest::mouseClick(Widget<QPushButton>("PublishButton"), Qt::LeftButton);
        QVERIFY(Window->statusBar()->currentMessage().startsWith("Not published: "));
        QCOMPARE(Opened.size(), size_t{1});
    }

    void publishWithNoOpenerOnPathWritesThePageAndSaysItCouldNotBeOpened() {
        // The desktop's own opener, looked for on a PATH that has none.
        Form->SetPageOpener({});
        const char* oldPath = std::getenv("PATH");
        const std::string savedPath = oldPath ? oldPath : "";
        test::TTempDir empty("quill-window-no-opener");
        setenv("PATH", empty.Path().c_str(), 1);
        QTest::mouseClick(Widget<QPushButton>("PublishButton"), Qt::LeftButton);
        setenv("PATH", savedPath.c_str(), 1);
        std::string path = (Dir->Path() / "page.html").string();
        QCOMPARE(test::ReadFile(path), Page());
        QCOMPARE(Window->statusBar()->currentMessage(),
                 QString::fromStdString("Published " + path +
                                        ", but it could not be opened: xdg-open was not found on PATH"));
    }

    void theStatusSaysWhenThePageIsOlderThanTheWindow() {
        QTest::mouseClick(Widget<QPushButton>("PublishButton"), Qt::LeftButton);
        const QString published = QString::fromStdString("Published " + (Dir->Path() / "page.html").string());
        QCOMPARE(Window->statusBar()->currentMessage(), published);
        QTest::keyClicks(Widget<QLineEdit>("Edit1"), "?");
        QCOMPARE(Window->statusBar()->currentMessage(), published + "; the message has changed since");
        QTest::mouseClick(Widget<QToolButton>("ToolButton4"), Qt::LeftButton);
        QCOMPARE(Window->statusBar()->currentMessage(),
                 published + "; the message and the alignment have changed since");
        QTest::keyClick(Widget<QLineEdit>("Edit1"), Qt::Key_Backspace);
        QCOMPARE(Window->statusBar()->currentMessage(), published + "; the alignment has changed since");
        QTest::mouseClick(Widget<QToolButton>("ToolButton3"), Qt::LeftButton);
        QCOMPARE(Window->statusBar()->currentMessage(), published);
        Window->resize(500, Window->height());
        QApplication::processEvents();
        QCOMPARE(Window->statusBar()->currentMessage(), published + "; the width has changed since");
        QTest::mouseClick(Widget<QPushButton>("PublishButton"), Qt::LeftButton);
        QCOMPARE(Window->statusBar()->currentMessage(), published);
    }

    void aLongMessageWrapsOnScreenAsOnThePage() {
        QWidget* label = Widget<QWidget>("QuillLabel1");
        const int lineHeight = Form->QuillLabel1->InnerLabel().LineHeight();
        QTest::keyClicks(Widget<QLineEdit>("Edit1"), ", and a message much longer than the design area is wide");
        QApplication::processEvents();
        // The page's cell wraps it in the browser; on screen every line shows.
        QVERIFY(PageHas(", and a message much longer than the design area is wide</font>"));
        const int lines = static_cast<int>(Form->QuillLabel1->InnerLabel().TextLines().size());
        QVERIFY2(lines >= 2, qPrintable(QString::number(lines)));
        QCOMPARE(label->height(), lines * lineHeight);
        QCOMPARE(LinesWithInk(*label, lineHeight), lines);

        // A narrower window wraps it onto more lines.
        Window->resize(300, Window->height());
        QApplication::processEvents();
        const int narrower = static_cast<int>(Form->QuillLabel1->InnerLabel().TextLines().size());
        QVERIFY2(narrower > lines, qPrintable(QString("%1 -> %2").arg(lines).arg(narrower)));
        QCOMPARE(label->height(), narrower * lineHeight);
        QCOMPARE(LinesWithInk(*label, lineHeight), narrower);

        // Back to one line, back to the designed height.
        Widget<QLineEdit>("Edit1")->selectAll();
        QTest::keyClicks(Widget<QLineEdit>("Edit1"), "Short");
        QCOMPARE(label->height(), 27);
        QCOMPARE(LinesWithInk(*label, lineHeight), 1);
    }

    void resizingTheWindowFollowsTheAlignment() {
        Window->resize(600, 450);
        QApplication::processEvents();
        int clientHeight = Window->centralWidget()->height();
        QCOMPARE(Widget<QWidget>("Panel1")->geometry(), QRect(0, 0, 600, 63));
        QCOMPARE(Widget<QWidget>("Panel2")->geometry(), QRect(0, 63, 600, clientHeight - 63));
        QCOMPARE(Widget<QWidget>("QuillLabel1")->width(), 600);
        QVERIFY(PageHas("width=\"600\""));
    }

    void screenshotNeedsNoDisplay() {
        QProcess demo;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
        demo.setProcessEnvironment(env);
        QString png = QString::fromStdString((Dir->Path() / "window.png").string());
        demo.start(QUILL_BINARY_DIR "/QuillDemo", {"--screenshot", png});
        QVERIFY(demo.waitForFinished(60000));
        QCOMPARE(demo.exitCode(), 0);
        QImage image(png);
        QCOMPARE(image.width(), 415);
        QVERIFY(image.height() > 323);

        // A folder is no file to write into; nothing is left behind.
        demo.start(QUILL_BINARY_DIR "/QuillDemo", {"--screenshot", QString::fromStdString(Dir->Path().string())});
        QVERIFY(demo.waitForFinished(60000));
        QCOMPARE(demo.exitCode(), 1);
        QVERIFY(demo.readAllStandardError().contains("not a regular file"));
    }
};

QTEST_MAIN(HtmlPageWindowTest)
#include "HtmlPageWindowTest.moc"
