// The canvas, driven by real mouse and key events as a designer would.
#include <QTest>
#include <memory>

#include "TestSupport.h"
#include "framework/Panel.h"
#include "studio/DesignCanvas.h"
#include "studio/DesignDocument.h"
#include "support/StudioTestSupport.h"

using namespace quill;
using namespace quill::studio;
using namespace quill::studiotest;

namespace {

std::vector<std::string> Names(const std::vector<TComponent*>& components) {
    std::vector<std::string> names;
    for (const TComponent* c : components) names.push_back(c->Name());
    return names;
}

QPoint Center(const TControl& control) { return TDesignCanvas::RectOf(control).center(); }

}  // namespace

class DesignCanvasTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TTempDir> Dir;
    std::unique_ptr<TDesignDocument> Doc;
    std::unique_ptr<TDesignCanvas> Canvas;

    void Open(const std::string& children) {
        const std::string path = (*Dir / "canvas.form.json").string();
        test::WriteFile(path, FormWith(children));
        Doc->Open(path);
        Canvas->show();
        QVERIFY(QTest::qWaitForWindowExposed(Canvas.get()));
    }
    TControl& Control(const std::string& name) { return ControlNamed(Doc->Form(), name); }
    std::pair<int, int> At(const std::string& name) { return {Control(name).Left(), Control(name).Top()}; }

private slots:
    void init() {
        Dir = std::make_unique<test::TTempDir>("quill-studio-canvas");
        Doc = std::make_unique<TDesignDocument>();
        Canvas = std::make_unique<TDesignCanvas>(*Doc);
    }
    void cleanup() {
        Canvas.reset();
        Doc.reset();
        Dir.reset();
    }

    void canvasIsTheFormsClientArea() {
        Open(Label("A", 16, 16, 80, 24));
        QCOMPARE(Canvas->size(), QSize(640, 480));
        QCOMPARE(Canvas->ComponentAt(QPoint(20, 20))->Name(), std::string("A"));
        QCOMPARE(Canvas->ComponentAt(QPoint(300, 300)), static_cast<TComponent*>(&Doc->Form()));
    }

    // Grid 8: moved by (13, 10) from (16, 16), the box lands on (32, 24).
    void dragMovesByTheSnappedDistance() {
        Open(Label("A", 16, 16, 80, 24) + "," + Label("B", 400, 300, 80, 24));
        Drag(Canvas.get(), QPoint(20, 20), QPoint(33, 30));
        QCOMPARE(At("A"), std::make_pair(32, 24));
        QCOMPARE(At("B"), std::make_pair(400, 300));
        QCOMPARE(Doc->UndoStack().count(), 1);
        Doc->UndoStack().undo();
        QCOMPARE(At("A"), std::make_pair(16, 16));
        // Without the grid the distance is the mouse's.
        Canvas->SetSnapToGrid(false);
        Drag(Canvas.get(), QPoint(20, 20), QPoint(33, 30));
        QCOMPARE(At("A"), std::make_pair(29, 26));
    }

    // All selected controls move together, as one undo step.
    void draggingASelectionMovesEveryControlInOneStep() {
        Open(Label("A", 16, 16, 80, 24) + "," + Label("B", 16, 104, 80, 24) + "," + Label("C", 400, 400, 80, 24));
        QTest::mouseClick(Canvas.get(), Qt::LeftButton, {}, Center(Control("A")));
        QTest::mouseClick(Canvas.get(), Qt::LeftButton, Qt::ShiftModifier, Center(Control("B")));
        QCOMPARE(Names(Doc->Selection()), (std::vector<std::string>{"A", "B"}));
        Drag(Canvas.get(), Center(Control("B")), Center(Control("B")) + QPoint(64, 32));
        QCOMPARE(At("A"), std::make_pair(80, 48));
        QCOMPARE(At("B"), std::make_pair(80, 136));
        QCOMPARE(At("C"), std::make_pair(400, 400));
        QCOMPARE(Doc->UndoStack().count(), 1);
        Doc->UndoStack().undo();
        QCOMPARE(At("A"), std::make_pair(16, 16));
        QCOMPARE(At("B"), std::make_pair(16, 104));
        // Shift-click again takes one out.
        QTest::mouseClick(Canvas.get(), Qt::LeftButton, Qt::ControlModifier, Center(Control("A")));
        QCOMPARE(Names(Doc->Selection()), (std::vector<std::string>{"B"}));
    }

    // Near another control's edge the box meets it, with a guide shown.
    void dragSnapsToAnotherControlsEdgeWithAGuide() {
        Open(Label("A", 101, 99, 80, 24) + "," + Label("B", 300, 300, 80, 24));
        const QPoint from = Center(Control("B"));
        QTest::mousePress(Canvas.get(), Qt::LeftButton, {}, from);
        QTest::mouseMove(Canvas.get(), from + QPoint(-100, -50));
        QTest::mouseMove(Canvas.get(), from + QPoint(-197, -150));  // box left at 103, top at 150
        QCOMPARE(Canvas->GuideX(), std::optional<int>(101));
        QCOMPARE(Control("B").Left(), 101);
        QTest::mouseRelease(Canvas.get(), Qt::LeftButton, {}, from + QPoint(-197, -150));
        QCOMPARE(At("B"), std::make_pair(101, 152));
        QVERIFY(!Canvas->GuideX());
    }

    // The bottom right handle resizes; the moved edges snap to the grid.
    void handleResizes() {
        Open(Label("A", 16, 16, 80, 24));
        QTest::mouseClick(Canvas.get(), Qt::LeftButton, {}, Center(Control("A")));
        const QPoint corner(16 + 80, 16 + 24);
        Drag(Canvas.get(), corner, corner + QPoint(45, 21));
        QCOMPARE(Control("A").Width(), 128);  // right edge 141 -> 144
        QCOMPARE(Control("A").Height(), 48);  // bottom edge 61 -> 64
        QCOMPARE(At("A"), std::make_pair(16, 16));
        // The top left handle moves the left and top edges only.
        Drag(Canvas.get(), QPoint(16, 16), QPoint(30, 9));
        QCOMPARE(At("A"), std::make_pair(32, 8));
        QCOMPARE(Control("A").Width(), 112);
        QCOMPARE(Control("A").Height(), 56);
        QCOMPARE(Doc->UndoStack().count(), 2);
    }

    void arrowKeysNudge() {
        Open(Label("A", 16, 16, 80, 24));
        QTest::mouseClick(Canvas.get(), Qt::LeftButton, {}, Center(Control("A")));
        QTest::keyClick(Canvas.get(), Qt::Key_Right);
        QTest::keyClick(Canvas.get(), Qt::Key_Up);
        QCOMPARE(At("A"), std::make_pair(17, 15));
        QTest::keyClick(Canvas.get(), Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(Canvas.get(), Qt::Key_Left, Qt::ShiftModifier);
        QCOMPARE(At("A"), std::make_pair(9, 23));
        QCOMPARE(Doc->UndoStack().count(), 4);
    }

    void rubberBandSelectsWhatItTouches() {
        Open(Label("A", 16, 16, 80, 24) + "," + Label("B", 120, 60, 80, 24) + "," + Label("C", 400, 400, 80, 24));
        Drag(Canvas.get(), QPoint(8, 200), QPoint(130, 30));
        QCOMPARE(Names(Doc->Selection()), (std::vector<std::string>{"A", "B"}));
        // A click on the bare form selects the form.
        QTest::mouseClick(Canvas.get(), Qt::LeftButton, {}, QPoint(300, 200));
        QCOMPARE(Names(Doc->Selection()), (std::vector<std::string>{"Form1"}));
    }

    // Dropped inside a panel, a control moves into it where it lies; undo
    // takes it back in one step.
    void dropIntoAPanelReparents() {
        Open(Label("A", 16, 16, 80, 24) + "," + Panel("P", 200, 200, 200, 150));
        Drag(Canvas.get(), QPoint(20, 20), QPoint(244, 236));
        TControl& a = Control("A");
        QCOMPARE(a.Parent()->Name(), std::string("P"));
        QCOMPARE(TDesignCanvas::RectOf(a).topLeft(), QPoint(240, 232));
        QCOMPARE(At("A"), std::make_pair(40, 32));
        QCOMPARE(Doc->UndoStack().count(), 1);
        // And out again onto the form.
        Drag(Canvas.get(), QPoint(244, 236), QPoint(500, 420));
        QCOMPARE(a.Parent(), static_cast<TWinControl*>(&Doc->Form()));
        Doc->UndoStack().undo();
        Doc->UndoStack().undo();
        QCOMPARE(a.Parent(), static_cast<TWinControl*>(&Doc->Form()));
        QCOMPARE(At("A"), std::make_pair(16, 16));
    }

    void orderDeleteAndClipboardFromTheCanvas() {
        Open(Label("A", 16, 16, 80, 24) + "," + Label("B", 40, 20, 80, 24));
        auto top = [&] { return Canvas->ComponentAt(QPoint(50, 25))->Name(); };
        QCOMPARE(top(), std::string("B"));
        QTest::mouseClick(Canvas.get(), Qt::LeftButton, {}, QPoint(20, 20));
        Canvas->BringSelectionToFront();
        QCOMPARE(top(), std::string("A"));
        Canvas->SendSelectionToBack();
        QCOMPARE(top(), std::string("B"));
        QTest::keyClick(Canvas.get(), Qt::Key_Delete);
        QVERIFY(!Doc->Form().FindComponent("A"));
        Doc->UndoStack().undo();
        QCOMPARE(top(), std::string("B"));
        QTest::mouseClick(Canvas.get(), Qt::LeftButton, {}, QPoint(50, 25));
        Canvas->CopySelection();
        Canvas->Paste();
        QCOMPARE(Names(Doc->Selection()), (std::vector<std::string>{"QuillLabel1"}));
        QCOMPARE(At("QuillLabel1"), std::make_pair(48, 28));
    }
};

QTEST_MAIN(DesignCanvasTest)
#include "DesignCanvasTest.moc"
