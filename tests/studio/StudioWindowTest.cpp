// The main window: its prompts, title, palette, tray, recovery and program.
#include <QDockWidget>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>
#include <QLabel>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <cstdio>
#include <memory>

#include "TestSupport.h"
#include "framework/FormReader.h"
#include "framework/FormWriter.h"
#include "studio/Autosave.h"
#include "studio/ComponentPalette.h"
#include "studio/ComponentTray.h"
#include "studio/DesignCanvas.h"
#include "studio/DesignDocument.h"
#include "studio/PageGridOverlay.h"
#include "studio/PagePreview.h"
#include "studio/StudioWindow.h"
#include "support/StudioTestSupport.h"

using namespace quill;
using namespace quill::studio;
using namespace quill::studiotest;

namespace {

const std::string kStudio = std::string(QUILL_BINARY_DIR) + "/QuillStudio";
const std::string kCard = std::string(QUILL_SOURCE_DIR) + "/examples/contact-card.form.json";

struct TRun {
    int Code;
    QString Err;
};

TRun RunStudio(const QStringList& args) {
    QProcess process;
    process.start(QString::fromStdString(kStudio), args);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
}

}  // namespace

class StudioWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TTempDir> Dir;
    std::unique_ptr<TStudioWindow> Window;

    std::string Design(const std::string& name, const std::string& children) {
        const std::string path = (*Dir / name).string();
        test::WriteFile(path, WriteFormDesign(*ReadFormDesign(FormWith(children), path)));
        return path;
    }
    void MakeDirty() {
        TDesignDocument& doc = Window->Document();
        doc.MoveBy({doc.Form().FindComponent("A")}, 1, 0);
        QVERIFY(doc.IsDirty());
    }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName("QuillStudioTest");
    }
    void init() {
        Dir = std::make_unique<test::TTempDir>("quill-studio-window");
        Window = std::make_unique<TStudioWindow>();
        Window->show();
    }
    void cleanup() {
        Window.reset();
        Dir.reset();
    }

    void titleShowsTheFileAndUnsavedChanges() {
        QCOMPARE(Window->windowTitle(), QString("Untitled - QuillStudio"));
        QVERIFY(Window->OpenFile(QString::fromStdString(Design("title.form.json", Label("A", 8, 8, 80, 20)))));
        QCOMPARE(Window->windowTitle(), QString("title.form.json - QuillStudio"));
        MakeDirty();
        QCOMPARE(Window->windowTitle(), QString("title.form.json* - QuillStudio"));
        Window->Document().UndoStack().undo();
        QCOMPARE(Window->windowTitle(), QString("title.form.json - QuillStudio"));
    }

    // Closing with unsaved changes asks: Cancel keeps the window, Discard
    // closes it, Save writes the file first.
    void closePromptAsksFirst() {
        const std::string path = Design("close.form.json", Label("A", 8, 8, 80, 20));
        QVERIFY(Window->OpenFile(QString::fromStdString(path)));
        const std::string original = test::ReadFile(path);
        MakeDirty();
        int asked = 0;
        AnswerNextMessageBox(QMessageBox::Cancel, &asked);
        QVERIFY(!Window->close());
        QCOMPARE(asked, 1);
        QVERIFY(Window->isVisible());
        AnswerNextMessageBox(QMessageBox::Save, &asked);
        QVERIFY(Window->close());
        QCOMPARE(asked, 2);
        QVERIFY(test::ReadFile(path) != original);
        QCOMPARE(test::ReadFile(path), Window->Document().DesignText());
        // Nothing unsaved: no question.
        Window->show();
        QVERIFY(Window->close());
        QCOMPARE(asked, 2);
    }

    void discardDropsTheChangesAndTheCopy() {
        const std::string path = Design("discard.form.json", Label("A", 8, 8, 80, 20));
        QVERIFY(Window->OpenFile(QString::fromStdString(path)));
        const std::string original = test::ReadFile(path);
        MakeDirty();
        Window->Autosave().WriteNow();
        QVERIFY(std::filesystem::exists(TAutosave::PathFor(path)));
        AnswerNextMessageBox(QMessageBox::Discard);
        QVERIFY(Window->close());
        QCOMPARE(test::ReadFile(path), original);
        QVERIFY(!std::filesystem::exists(TAutosave::PathFor(path)));
    }

    // A session that ended without saving left its copy: reopening offers it.
    void autosavedCopyIsOfferedAfterACrash() {
        const std::string path = Design("crash.form.json", Label("A", 8, 8, 80, 20));
        QVERIFY(Window->OpenFile(QString::fromStdString(path)));
        MakeDirty();
        Window->Autosave().WriteNow();
        const std::string unsaved = Window->Document().DesignText();
        // The window goes as a killed process would: no prompt, no cleanup.
        Window.reset();
        QVERIFY(std::filesystem::exists(TAutosave::PathFor(path)));

        Window = std::make_unique<TStudioWindow>();
        Window->show();
        int asked = 0;
        AnswerNextMessageBox(QMessageBox::Yes, &asked);
        QVERIFY(Window->OpenFile(QString::fromStdString(path)));
        QCOMPARE(asked, 1);
        QCOMPARE(Window->Document().DesignText(), unsaved);
        QVERIFY(Window->Document().IsDirty());
        QVERIFY(Window->windowTitle().contains("*"));
        // Declined, the copy goes and the file opens as it is.
        Window->Document().Save();
        MakeDirty();
        Window->Autosave().WriteNow();
        const std::string saved = test::ReadFile(path);
        Window.reset();
        Window = std::make_unique<TStudioWindow>();
        AnswerNextMessageBox(QMessageBox::No);
        QVERIFY(Window->OpenFile(QString::fromStdString(path)));
        QCOMPARE(Window->Document().DesignText(), saved);
        QVERIFY(!std::filesystem::exists(TAutosave::PathFor(path)));
    }

    // The same with a real process killed outright: the copy its autosave
    // timer wrote brings the change back.
    void autosaveSurvivesAKilledProcess() {
        const std::string path = Design("killed.form.json", Label("A", 8, 8, 80, 20));
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QUILL_STUDIO_CHILD_DESIGN", QString::fromStdString(path));
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {"childChangesAndWaitsToBeKilled"});
        QVERIFY(child.waitForStarted());
        QByteArray said;
        QTRY_VERIFY_WITH_TIMEOUT((said += child.readAllStandardOutput()).contains("autosaved\n"), 30000);
        child.kill();
        QVERIFY(child.waitForFinished());
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
        QVERIFY(std::filesystem::exists(TAutosave::PathFor(path)));

        int asked = 0;
        AnswerNextMessageBox(QMessageBox::Yes, &asked);
        QVERIFY(Window->OpenFile(QString::fromStdString(path)));
        QCOMPARE(asked, 1);
        QCOMPARE(ControlNamed(Window->Document().Form(), "A").Left(), 9);
        QVERIFY(Window->Document().IsDirty());
    }
    // The child of autosaveSurvivesAKilledProcess: changes the design it is
    // given, waits for the timer's copy, says so and waits to be killed.
    void childChangesAndWaitsToBeKilled() {
        const QByteArray design = qgetenv("QUILL_STUDIO_CHILD_DESIGN");
        if (design.isEmpty()) QSKIP("runs only as the child of autosaveSurvivesAKilledProcess");
        QVERIFY(Window->OpenFile(QString::fromUtf8(design)));
        MakeDirty();
        const std::string copy = TAutosave::PathFor(design.toStdString());
        QTRY_VERIFY_WITH_TIMEOUT(std::filesystem::exists(copy), 20000);
        std::fputs("autosaved\n", stdout);
        std::fflush(stdout);
        QTest::qWait(60000);
    }

    // Every creatable class of the registry, in its group; a click adds one.
    void paletteListsTheRegistryAndAddsOnClick() {
        TComponentPalette& palette = Window->Palette();
        auto groupOf = [&](const char* name) {
            QTreeWidgetItem* item = palette.ItemOf(name);
            return item ? item->parent()->text(0) : QString();
        };
        QCOMPARE(groupOf("TQuillLabel"), QString("Page controls"));
        QCOMPARE(groupOf("TPanel"), QString("Containers"));
        QCOMPARE(groupOf("TQuillHtmlGenerator"), QString("Page components"));
        QCOMPARE(groupOf("TQuillHeader"), QString("Page components"));
        QVERIFY(!palette.ItemOf("TForm"));
        for (const TClassInfo* info : DesignClasses())
            if (info->Create && !info->InheritsFrom(TForm::StaticInfo()))
                QVERIFY2(palette.ItemOf(QString::fromStdString(info->Name)), info->Name.c_str());
        QTreeWidgetItem* label = palette.ItemOf("TQuillLabel");
        palette.scrollToItem(label);
        QTest::mouseClick(palette.viewport(), Qt::LeftButton, {}, palette.visualItemRect(label).center());
        TComponent* made = Window->Document().Form().FindComponent("QuillLabel1");
        QVERIFY(made && made->AsControl());
        QCOMPARE(Window->Document().Selection(), std::vector<TComponent*>{made});
    }

    // Non-visual components sit in the tray and are selected there.
    void trayHoldsTheNonVisualComponents() {
        TComponentTray& tray = Window->Tray();
        QCOMPARE(tray.count(), 2);  // a new design's generator and header
        QListWidgetItem* header = tray.ItemOf("QuillHeader1");
        QVERIFY(header);
        QTest::mouseClick(tray.viewport(), Qt::LeftButton, {}, tray.visualItemRect(header).center());
        QCOMPARE(Window->Document().Selection().size(), size_t{1});
        QCOMPARE(Window->Document().Selection().front()->Name(), std::string("QuillHeader1"));
        // Selected elsewhere, the tray follows.
        Window->Document().Select({Window->Document().Form().FindComponent("QuillHtmlGenerator1")});
        QVERIFY(tray.ItemOf("QuillHtmlGenerator1")->isSelected());
        QVERIFY(!header->isSelected());
    }

    // From scratch by mouse and keyboard: the saved design passes
    // `quill check` and renders.
    void designMadeByHandPassesTheChecker() {
        TComponentPalette& palette = Window->Palette();
        for (const char* name : {"TQuillLabel", "TQuillLabel"}) {
            QTreeWidgetItem* item = palette.ItemOf(name);
            palette.scrollToItem(item);
            QTest::mouseClick(palette.viewport(), Qt::LeftButton, {}, palette.visualItemRect(item).center());
        }
        TDesignCanvas& canvas = Window->Canvas();
        TControl& second = ControlNamed(Window->Document().Form(), "QuillLabel2");
        const QPoint grip = TDesignCanvas::RectOf(second).center();
        Drag(&canvas, grip, grip + QPoint(0, 80));
        QTest::keyClick(&canvas, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(second.Top() % 8, 0);
        const std::string path = (*Dir / "scratch.form.json").string();
        QVERIFY(Window->SaveAs(QString::fromStdString(path)));
        QProcess quill;
        quill.start(QString(QUILL_BINARY_DIR) + "/quill", {"check", QString::fromStdString(path)});
        QVERIFY(quill.waitForFinished(30000));
        QVERIFY2(quill.exitCode() == 0, quill.readAllStandardOutput() + quill.readAllStandardError());
        quill.start(QString(QUILL_BINARY_DIR) + "/quill", {"render", QString::fromStdString(path)});
        QVERIFY(quill.waitForFinished(30000));
        QCOMPARE(quill.exitCode(), 0);
        // The page the preview showed is the page quill renders.
        QTRY_VERIFY(Window->Preview().Generations() > 0);
        QCOMPARE(quill.readAllStandardOutput().toStdString(), Window->Preview().Html());
    }

    // Ctrl+Shift+S asks where to save, on any desktop or none.
    void saveAsByKeyboardAsksForTheFile() {
        const std::string path = (*Dir / "keyed.form.json").string();
        Window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Window.get()));
        auto* timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [timer, path] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            timer->deleteLater();
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            name->setText(QString::fromStdString(path));
            QTest::keyClick(name, Qt::Key_Return);
        });
        timer->start(20);
        QTest::keyClick(Window.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(std::filesystem::exists(path));
        QCOMPARE(Window->Document().FileName(), path);
    }

    // View > Page Grid (Ctrl+G) draws the table's lines and puts its counts
    // in the status bar; they follow the design, and go with the grid.
    void pageGridShowsItsCountsWhileOn() {
        QVERIFY(Window->OpenFile(QString::fromStdString(kCard)));
        for (const char* dock : {"ObjectTreeDock", "InspectorDock", "PreviewDock", "ProblemsDock"})
            QVERIFY2(Window->findChild<QDockWidget*>(dock), dock);
        QLabel* counts = Window->GridCountsLabel();
        QVERIFY(counts->text().isEmpty());
        Window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Window.get()));
        QTest::keyClick(Window.get(), Qt::Key_G, Qt::ControlModifier);
        QVERIFY(Window->PageGridAction()->isChecked());
        const TPageGridOverlay& grid = Window->GridOverlay();
        auto shown = [&] {
            return QString("Page grid: %1 rows, %2 columns, %3 cells").arg(grid.Rows()).arg(grid.Columns()).arg(grid.Cells());
        };
        QVERIFY(grid.Cells() > 1);
        QCOMPARE(counts->text(), shown());
        // A label moved off the others' lines cuts more rows.
        const int rows = grid.Rows();
        TDesignDocument& doc = Window->Document();
        TComponent* label = nullptr;
        for (int i = 0; i < doc.Form().ComponentCount() && !label; ++i)
            if (doc.Form().Components(i)->AsControl()) label = doc.Form().Components(i);
        QVERIFY(label);
        doc.MoveBy({label}, 0, 3);
        QTRY_VERIFY(grid.Rows() > rows);
        QCOMPARE(counts->text(), shown());
        QTest::keyClick(Window.get(), Qt::Key_G, Qt::ControlModifier);
        QVERIFY(counts->text().isEmpty());
    }

    void programWritesAScreenshotAndRefusesBadInput() {
        const QString shot = QString::fromStdString((*Dir / "shot.png").string());
        TRun run = RunStudio({"--screenshot", shot, QString::fromStdString(kCard)});
        QVERIFY2(run.Code == 0, qPrintable(run.Err));
        QImage image(shot);
        QVERIFY(!image.isNull());
        QVERIFY(image.width() >= 800 && image.height() >= 500);

        const std::string bad = (*Dir / "bad.form.json").string();
        test::WriteFile(bad, R"({"class": "TForm", "name": "F", "properties": {"Widht": 5}})");
        run = RunStudio({"--screenshot", shot, QString::fromStdString(bad)});
        QCOMPARE(run.Code, 1);
        QVERIFY2(run.Err.contains("unknown property of TForm; did you mean Width?"), qPrintable(run.Err));
        run = RunStudio({"--screenshot", shot, QString::fromStdString(Dir->Path().string())});
        QCOMPARE(run.Code, 1);
        QVERIFY2(run.Err.contains("is a folder"), qPrintable(run.Err));
        run = RunStudio({"--screenshot"});
        QCOMPARE(run.Code, 2);
        run = RunStudio({"--help"});
        QCOMPARE(run.Code, 0);
    }
};

QTEST_MAIN(StudioWindowTest)
#include "StudioWindowTest.moc"
