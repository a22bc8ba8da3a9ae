// The object tree: the form's components by parent, and selection both ways.
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>
#include <memory>

#include "studio/ObjectTree.h"
#include "support/Gestures.h"
#include "support/TestEditor.h"

using namespace quill;
using namespace quill::studio;
using namespace quill::studio::test;

namespace {

const char* const kDesign = R"({"class": "TForm", "name": "Form1", "properties": {"Width": 400, "Height": 300},
  "children": [
    {"class": "TPanel", "name": "Panel1", "properties": {"Left": 10, "Top": 10, "Width": 200, "Height": 100},
     "children": [{"class": "TQuillLabel", "name": "Inner", "properties": {"Left": 4, "Top": 4, "Width": 50, "Height": 20}}]},
    {"class": "TQuillLabel", "name": "Outer", "properties": {"Left": 10, "Top": 150, "Width": 50, "Height": 20}},
    {"class": "TQuillHtmlGenerator", "name": "Generator"},
    {"class": "TQuillHeader", "name": "Header"}]})";

QStringList Children(QTreeWidgetItem* item) {
    QStringList names;
    for (int i = 0; i < item->childCount(); ++i) names << item->child(i)->text(0);
    return names;
}

}  // namespace

class ObjectTreeTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TTestEditor> Editor;
    std::unique_ptr<TObjectTree> Tree;

private slots:
    void initTestCase() { RegisterClasses(); }

    void init() {
        Editor = std::make_unique<TTestEditor>(kDesign);
        Tree = std::make_unique<TObjectTree>(*Editor);
        Tree->resize(400, 600);
        Tree->show();
        QVERIFY(QTest::qWaitForWindowExposed(Tree.get()));
    }
    void cleanup() {
        Tree.reset();
        Editor.reset();
    }

    void showsControlsUnderTheirParentsAndComponentsUnderTheForm() {
        QTreeWidget& tree = Tree->Tree();
        QCOMPARE(tree.topLevelItemCount(), 1);
        QTreeWidgetItem* form = tree.topLevelItem(0);
        QCOMPARE(form->text(0), "Form1");
        QCOMPARE(form->text(1), "TForm");
        QCOMPARE(Children(form), (QStringList{"Panel1", "Outer", "Generator", "Header"}));
        QCOMPARE(Children(Tree->ItemOf(Editor->Component("Panel1"))), QStringList{"Inner"});
        // Classes come from the registry, page components included.
        QCOMPARE(Tree->ItemOf(Editor->Component("Inner"))->text(1), "TQuillLabel");
        QCOMPARE(Tree->ItemOf(Editor->Component("Generator"))->text(1), "TQuillHtmlGenerator");
        QCOMPARE(Tree->ItemOf(Editor->Component("Header"))->text(1), "TQuillHeader");
    }

    void clickingRowsSelectsInTheEditor() {
        QTreeWidget& tree = Tree->Tree();
        ClickRow(tree, Tree->ItemOf(Editor->Component("Inner")));
        QCOMPARE(Editor->Selection(), std::vector<TComponent*>{&Editor->Component("Inner")});
        ClickRow(tree, Tree->ItemOf(Editor->Component("Generator")), Qt::ControlModifier);
        QCOMPARE(Editor->Selection().size(), size_t{2});
        QCOMPARE(Editor->Selection().back(), &Editor->Component("Generator"));
        QCOMPARE(Editor->Selection().front(), &Editor->Component("Inner"));
        // A plain click on the form row selects the form alone.
        ClickRow(tree, tree.topLevelItem(0));
        QCOMPARE(Editor->Selection(), std::vector<TComponent*>{&Editor->Form()});
    }

    void keyboardMovesTheSelection() {
        QTreeWidget& tree = Tree->Tree();
        ClickRow(tree, Tree->ItemOf(Editor->Component("Outer")));
        QTest::keyClick(&tree, Qt::Key_Down);
        QCOMPARE(Editor->Selection(), std::vector<TComponent*>{&Editor->Component("Generator")});
    }

    void theEditorsSelectionShowsInTheTree() {
        QSignalSpy spy(Editor.get(), &TDesignEditor::SelectionChanged);
        Editor->Select({&Editor->Component("Outer"), &Editor->Component("Header")});
        QCOMPARE(spy.count(), 1);  // showing it does not select again
        QList<QTreeWidgetItem*> selected = Tree->Tree().selectedItems();
        QCOMPARE(selected.size(), 2);
        QVERIFY(Tree->ItemOf(Editor->Component("Outer"))->isSelected());
        QVERIFY(Tree->ItemOf(Editor->Component("Header"))->isSelected());
        Editor->Select({});
        QVERIFY(Tree->Tree().selectedItems().isEmpty());
    }

    void followsReparentingAndKeepsTheSelection() {
        TComponent& inner = Editor->Component("Inner");
        Editor->Select({&inner});
        static_cast<TControl&>(inner).SetParent(&Editor->Form());
        Editor->Touch();
        QCOMPARE(Children(Tree->ItemOf(Editor->Component("Panel1"))), QStringList{});
        QCOMPARE(Tree->ItemOf(inner)->parent(), Tree->Tree().topLevelItem(0));
        QVERIFY(Tree->ItemOf(inner)->isSelected());
    }

    void showsANewFormAfterItIsReplaced() {
        Editor->Select({&Editor->Component("Outer")});
        Editor->Replace(R"({"class": "TForm", "name": "Other", "children": [
            {"class": "TQuillLabel", "name": "Only"}]})");
        QTreeWidgetItem* form = Tree->Tree().topLevelItem(0);
        QCOMPARE(form->text(0), "Other");
        QCOMPARE(Children(form), QStringList{"Only"});
        QVERIFY(Tree->Tree().selectedItems().isEmpty());
        ClickRow(Tree->Tree(), Tree->ItemOf(Editor->Component("Only")));
        QCOMPARE(Editor->Selection(), std::vector<TComponent*>{&Editor->Component("Only")});
    }
};

QTEST_MAIN(ObjectTreeTest)
#include "ObjectTreeTest.moc"
