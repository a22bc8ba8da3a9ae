// The page grid overlay: the cells of the page generator's table, drawn
// where the controls are, and counted as the page counts them.
#include <QImage>
#include <algorithm>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <regex>

#include "controls/QuillCustomControl.h"
#include "layout/CellTable.h"
#include "page/QuillGenerator.h"
#include "studio/PageGridOverlay.h"
#include "support/TestEditor.h"

using namespace quill;
using namespace quill::studio;
using namespace quill::studio::test;

namespace {

// Two labels side by side whose top edges miss each other by 2 px.
const char* const kSliver = R"({"class": "TForm", "name": "Form1", "properties": {"Width": 300, "Height": 200},
  "children": [
    {"class": "TQuillLabel", "name": "Left1", "properties": {"Left": 10, "Top": 10, "Width": 100, "Height": 20, "AutoSize": false, "Caption": "a"}},
    {"class": "TQuillLabel", "name": "Right1", "properties": {"Left": 120, "Top": 12, "Width": 100, "Height": 18, "AutoSize": false, "Caption": "b"}},
    {"class": "TQuillHtmlGenerator", "name": "Generator"}]})";

// The same page inside a panel that the generator takes as its page root.
const char* const kInPanel = R"({"class": "TForm", "name": "Form1", "properties": {"Width": 400, "Height": 300},
  "children": [
    {"class": "TPanel", "name": "Panel1", "properties": {"Left": 50, "Top": 40, "Width": 300, "Height": 200}, "children": [
      {"class": "TQuillLabel", "name": "Inside", "properties": {"Left": 0, "Top": 0, "Width": 100, "Height": 20, "AutoSize": false}}]},
    {"class": "TQuillLabel", "name": "Outside", "properties": {"Left": 0, "Top": 0, "Width": 30, "Height": 30, "AutoSize": false}},
    {"class": "TQuillHtmlGenerator", "name": "Generator", "properties": {"Container": "Panel1"}}]})";

size_t Count(const std::string& text, const std::regex& pattern) {
    return static_cast<size_t>(std::distance(std::sregex_iterator(text.begin(), text.end(), pattern), std::sregex_iterator()));
}

void SetInt(TTestEditor& editor, const std::string& name, const std::string& prop, int value) {
    TComponent& c = editor.Component(name);
    editor.SetProperty(c, *c.PublishedInfo()->FindProperty(prop), value);
}

}  // namespace

class PageGridOverlayTest : public QObject {
    Q_OBJECT

private:
    // The counts must be the page's own: its rows, its cells, and the
    // table the core builds for it.
    void CompareWithThePage(TPageGridOverlay& overlay, TForm& form) {
        overlay.Update(form);
        const std::string page = FirstHtmlGenerator(form)->Generate()->Text();
        QCOMPARE(static_cast<size_t>(overlay.Rows()), Count(page, std::regex("<tr[ >]")));
        QCOMPARE(static_cast<size_t>(overlay.Cells()), Count(page, std::regex("<td[ >]")));
        TWinControl& root = FirstHtmlGenerator(form)->PageRootControl();
        TCellTable table;
        table.Build(CollectCellControls(root), root.Width(), 0);
        QCOMPARE(overlay.Rows(), table.RowCount());
        QCOMPARE(static_cast<size_t>(overlay.Cells()), table.CellCount());
        int columns = 0;
        for (int32_t size : table.ColumnSizes()) columns += size != 0;
        QCOMPARE(overlay.Columns(), columns);
        QCOMPARE(overlay.Boxes().size(), table.CellCount());
    }

private slots:
    void initTestCase() { RegisterClasses(); }

    void countsEqualTheCoreTableAndThePage() {
        for (const char* design : {kSliver, kInPanel}) {
            TTestEditor editor(design);
            TPageGridOverlay overlay;
            CompareWithThePage(overlay, editor.Form());
        }
        TTestEditor contact(ReadSource("examples/contact-card.form.json"));
        TPageGridOverlay overlay;
        CompareWithThePage(overlay, contact.Form());
        QVERIFY(overlay.Cells() > 4);
    }

    void aTwoPixelMissIsATwoPixelSliverRow() {
        TTestEditor editor(kSliver);
        TPageGridOverlay overlay;
        QSignalSpy counts(&overlay, &TPageGridOverlay::CountsChanged);
        overlay.Update(editor.Form());
        QCOMPARE(counts.count(), 1);
        // Rows: 0-10, the 10-12 sliver, 12-30; the page ends below the last control.
        QCOMPARE(overlay.Rows(), 3);
        bool sliver = false;
        for (const QRect& box : overlay.Boxes()) sliver = sliver || (box.top() == 10 && box.height() == 2);
        QVERIFY(sliver);
        // The sliver's cells sit under the second label, left of it and right of it.
        QVERIFY(std::any_of(overlay.Boxes().begin(), overlay.Boxes().end(),
                            [](const QRect& b) { return b.left() == 120 && b.width() == 100 && b.top() == 10 && b.height() == 2; }));
        // The first label spans the sliver and the row below it.
        QVERIFY(std::any_of(overlay.Boxes().begin(), overlay.Boxes().end(),
                            [](const QRect& b) { return b == QRect(10, 10, 100, 20); }));
        const int cellsWithSliver = overlay.Cells();
        // Aligned, the sliver goes.
        SetInt(editor, "Right1", "Top", 10);
        SetInt(editor, "Right1", "Height", 20);
        overlay.Update(editor.Form());
        QCOMPARE(overlay.Rows(), 2);
        QVERIFY(overlay.Cells() < cellsWithSliver);
        QCOMPARE(counts.count(), 2);
        QCOMPARE(counts.last().at(0).toInt(), 2);
        QCOMPARE(counts.last().at(2).toInt(), overlay.Cells());
        CompareWithThePage(overlay, editor.Form());
        // Nothing changed: no signal.
        overlay.Update(editor.Form());
        QCOMPARE(counts.count(), 2);
    }

    void theGeneratorsContainerIsThePageRoot() {
        TTestEditor editor(kInPanel);
        TPageGridOverlay overlay;
        overlay.Update(editor.Form());
        // The label outside the panel is not on the page; the grid sits on the panel.
        QVERIFY(std::any_of(overlay.Boxes().begin(), overlay.Boxes().end(),
                            [](const QRect& b) { return b == QRect(50, 40, 100, 20); }));
        for (const QRect& box : overlay.Boxes()) QVERIFY(box.left() >= 50 && box.top() >= 40);
        // Without the container the form is the root again.
        TComponent& generator = editor.Component("Generator");
        editor.SetProperty(generator, *generator.PublishedInfo()->FindProperty("Container"), nullptr);
        overlay.Update(editor.Form());
        QVERIFY(std::any_of(overlay.Boxes().begin(), overlay.Boxes().end(),
                            [](const QRect& b) { return b == QRect(0, 0, 30, 30); }));
    }

    void paintsTheCellEdges() {
        TTestEditor editor(kSliver);
        TPageGridOverlay overlay;
        QImage image(300, 200, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        overlay.Paint(painter, editor.Form());
        painter.end();
        QCOMPARE(overlay.Rows(), 3);
        // Both edges of the sliver are drawn above the second label; the
        // grid is dashed, so look along the line.
        const auto inked = [&](int y) {
            for (int x = 121; x < 219; ++x)
                if (image.pixel(x, y) != qRgb(255, 255, 255)) return true;
            return false;
        };
        QVERIFY(inked(10));
        QVERIFY(inked(12));
        QVERIFY(!inked(11));
        QVERIFY(!inked(20));
    }

    void withoutAGeneratorTheFormIsThePageRoot() {
        TTestEditor editor(R"({"class": "TForm", "name": "Bare", "properties": {"Width": 200, "Height": 100},
          "children": [{"class": "TQuillLabel", "name": "L", "properties": {"Left": 20, "Top": 10, "Width": 50, "Height": 20, "AutoSize": false}}]})");
        TPageGridOverlay overlay;
        overlay.Update(editor.Form());
        QVERIFY(overlay.Problem().isEmpty());
        TCellTable table;
        table.Build(CollectCellControls(editor.Form()), editor.Form().Width(), 0);
        QCOMPARE(overlay.Rows(), table.RowCount());
        QCOMPARE(static_cast<size_t>(overlay.Cells()), table.CellCount());
        QVERIFY(std::any_of(overlay.Boxes().begin(), overlay.Boxes().end(),
                            [](const QRect& b) { return b == QRect(20, 10, 50, 20); }));
    }
};

QTEST_MAIN(PageGridOverlayTest)
#include "PageGridOverlayTest.moc"
