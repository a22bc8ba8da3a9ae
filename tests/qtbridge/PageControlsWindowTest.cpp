// Images and panels on screen, through the bridge's real widgets.
#include <QTest>
#include <memory>

#include "controls/QuillClasses.h"
#include "controls/QuillImage.h"
#include "framework/FormReader.h"
#include "qtbridge/FormWindow.h"

using namespace quill;

class PageControlsWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TForm> Form;
    std::unique_ptr<qtbridge::TFormWindow> Window;

    QImage Grab(const char* name) {
        QWidget* widget = Window->WidgetOf(name);
        if (!widget) qFatal("no widget %s", name);
        return widget->grab().toImage();
    }

private slots:
    void init() {
        RegisterQuillClasses();
        // Read from the examples' folder, so the images are found beside it.
        const std::string design = R"({"class": "TForm", "name": "F", "properties": {"Width": 408, "Height": 334}, "children": [
            {"class": "TQuillPanel", "name": "Card", "properties": {"Left": 10, "Top": 10, "Width": 200, "Height": 150,
             "CellFormat": {"Color": "clRed", "ParentColor": false}}, "children": [
              {"class": "TQuillImage", "name": "Mug", "properties": {"Left": 10, "Top": 10, "Alt": "Mug", "Src": "images/mug.png"}},
              {"class": "TQuillImage", "name": "Gone", "properties": {"Left": 10, "Top": 115, "Width": 120, "Height": 30,
               "Alt": "No such picture", "Src": "images/none.png", "CellFormat": {"Color": "clWhite", "ParentColor": false}}}]}]})";
        Form = ReadFormDesign(design, std::string(QUILL_SOURCE_DIR) + "/examples/test.form.json");
        Window = std::make_unique<qtbridge::TFormWindow>(*Form);
        Window->show();
    }

    void cleanup() {
        Window.reset();
        Form.reset();
    }

    void imageShowsItsPictureAtItsOwnSize() {
        QCOMPARE(Window->WidgetOf("Mug")->geometry(), QRect(10, 10, 140, 100));
        const QImage image = Grab("Mug");
        // The mug's body and the picture's background, as drawn in the file.
        QCOMPARE(image.pixelColor(60, 60), QColor(0x2E, 0x6F, 0x95));
        QCOMPARE(image.pixelColor(10, 10), QColor(0xF4, 0xED, 0xE4));
    }

    void unreadableImageIsAFramedPlaceholderWithItsAltText() {
        const QImage image = Grab("Gone");
        QCOMPARE(image.pixelColor(0, 15), QColor(0x80, 0x80, 0x80));
        int dark = 0;
        for (int x = 2; x < image.width() - 2; ++x)
            for (int y = 2; y < image.height() - 2; ++y) dark += qGray(image.pixel(x, y)) < 100;
        QVERIFY2(dark > 20, "the alt text is drawn");
        // A picture that appears later is shown once Src names it again.
        auto* gone = dynamic_cast<TQuillImage*>(Form->FindComponent("Gone"));
        gone->SetSrc("images/bag.png");
        QCOMPARE(Window->WidgetOf("Gone")->size(), QSize(140, 100));
        QCOMPARE(Grab("Gone").pixelColor(10, 10), QColor(0xF6, 0xEC, 0xEC));
    }

    void panelIsABoxInItsColourHoldingItsChildren() {
        QWidget* card = Window->WidgetOf("Card");
        QCOMPARE(card->geometry(), QRect(10, 10, 200, 150));
        QCOMPARE(Window->WidgetOf("Mug")->parentWidget(), card);
        QCOMPARE(Grab("Card").pixelColor(180, 60), QColor(Qt::red));
    }
};

QTEST_MAIN(PageControlsWindowTest)
#include "PageControlsWindowTest.moc"
