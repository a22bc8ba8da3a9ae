// The problems pane: `quill check`'s findings for the design as it would be
// saved, checked again after changes, each leading to its component.
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>
#include <memory>

#include "TestSupport.h"
#include "framework/FormWriter.h"
#include "studio/ProblemsPane.h"
#include "support/Gestures.h"
#include "support/TestEditor.h"

using namespace quill;
using namespace quill::studio;
using namespace quill::studio::test;

namespace {

// Two overlapping labels, a panel's label that is not on the page, no header.
const char* const kDesign = R"({"class": "TForm", "name": "Form1", "properties": {"Width": 400, "Height": 300},
  "children": [
    {"class": "TQuillLabel", "name": "First", "properties": {"Left": 10, "Top": 10, "Width": 100, "Height": 20, "AutoSize": false}},
    {"class": "TQuillLabel", "name": "Second", "properties": {"Left": 50, "Top": 15, "Width": 100, "Height": 20, "AutoSize": false}},
    {"class": "TPanel", "name": "Panel1", "properties": {"Left": 200, "Top": 100}, "children": [
      {"class": "TQuillLabel", "name": "Hidden", "properties": {"Left": 5, "Top": 5, "Width": 40, "Height": 20, "AutoSize": false}}]},
    {"class": "TQuillHtmlGenerator", "name": "Generator"}]})";

// `quill check`'s lines for the design as saved now.
QStringList Checked(TForm& form, const std::filesystem::path& file) {
    SaveFormDesign(form, file.string());
    QProcess quill;
    quill.start(QUILL_BINARY_DIR "/quill", {"check", QString::fromStdString(file.string())});
    quill.waitForFinished(30000);
    return QString::fromUtf8(quill.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

}  // namespace

class ProblemsPaneTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<quill::test::TTempDir> Dir;
    std::unique_ptr<TTestEditor> Editor;
    std::unique_ptr<TProblemsPane> Pane;

    QStringList Lines(const std::string& file) const {
        QStringList lines;
        for (const TDesignFinding& f : Pane->Findings())
            lines << QString::fromStdString(file + ": " + f.Path + ": warning: " + f.Message);
        return lines;
    }
    QTreeWidgetItem* RowAbout(const QString& path) const {
        for (int i = 0; i < Pane->List().topLevelItemCount(); ++i)
            if (Pane->List().topLevelItem(i)->text(0) == path) return Pane->List().topLevelItem(i);
        return nullptr;
    }

private slots:
    void initTestCase() { RegisterClasses(); }

    void init() {
        Dir = std::make_unique<quill::test::TTempDir>("quill-problems");
        Editor = std::make_unique<TTestEditor>(kDesign);
        Pane = std::make_unique<TProblemsPane>(*Editor);
        Pane->resize(700, 300);
        Pane->show();
        QVERIFY(QTest::qWaitForWindowExposed(Pane.get()));
    }
    void cleanup() {
        Pane.reset();
        Editor.reset();
        Dir.reset();
    }

    void showsWhatQuillCheckFindsInTheSavedDesign() {
        const std::string file = (*Dir / "design.form.json").string();
        QCOMPARE(Lines(file), Checked(Editor->Form(), file));
        QCOMPARE(Pane->List().topLevelItemCount(), static_cast<int>(Pane->Findings().size()));
        QVERIFY(RowAbout("Form1.Second"));
        QVERIFY(RowAbout("Form1.Second")->text(1).contains("overlaps First"));
        QVERIFY(RowAbout("Form1.Panel1.Hidden"));
        QVERIFY(RowAbout("Form1"));  // no page header
    }

    void checksAgainOnceAfterABurstOfChanges() {
        QSignalSpy spy(Pane.get(), &TProblemsPane::Checked);
        TComponent& second = Editor->Component("Second");
        const TPropInfo& left = *second.PublishedInfo()->FindProperty("Left");
        Editor->SetProperty(second, left, 150);
        Editor->SetProperty(second, left, 200);
        QTRY_COMPARE(spy.count(), 1);
        QTest::qWait(20);
        QCOMPARE(spy.count(), 1);
        QVERIFY(!RowAbout("Form1.Second"));
        const std::string file = (*Dir / "moved.form.json").string();
        QCOMPARE(Lines(file), Checked(Editor->Form(), file));
    }

    void activatingARowSelectsItsComponent() {
        DoubleClickRow(Pane->List(), RowAbout("Form1.Panel1.Hidden"));
        QCOMPARE(Editor->Selection(), std::vector<TComponent*>{&Editor->Component("Hidden")});
        Pane->List().setFocus();
        Pane->List().setCurrentItem(RowAbout("Form1.Second"));
        QTest::keyClick(&Pane->List(), Qt::Key_Return);
        QCOMPARE(Editor->Selection(), std::vector<TComponent*>{&Editor->Component("Second")});
        DoubleClickRow(Pane->List(), RowAbout("Form1"));
        QCOMPARE(Editor->Selection(), std::vector<TComponent*>{&Editor->Form()});
    }

    void aRowWhoseComponentWentSelectsNothing() {
        QTreeWidgetItem* row = RowAbout("Form1.Panel1.Hidden");
        delete &Editor->Component("Hidden");
        // Activated before the pending check ran.
        Editor->Touch();
        Pane->List().setCurrentItem(row);
        QTest::keyClick(&Pane->List(), Qt::Key_Return);
        QVERIFY(Editor->Selection().empty());
        QTRY_VERIFY(!RowAbout("Form1.Panel1.Hidden"));
    }

    void followsAReplacedForm() {
        Editor->Replace(ReadSource("examples/contact-card.form.json"));
        QTRY_COMPARE(Pane->List().topLevelItemCount(), 0);
        QVERIFY(Pane->Findings().empty());
    }
};

QTEST_MAIN(ProblemsPaneTest)
#include "ProblemsPaneTest.moc"
