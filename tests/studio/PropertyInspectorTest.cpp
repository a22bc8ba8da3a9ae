// The property inspector: one editor per kind of property, each driven by
// real key and mouse events, round-tripping through the design writer and
// refusing what the design reader refuses.
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <memory>

#include "framework/FormWriter.h"
#include "studio/PropertyInspector.h"
#include "support/Gestures.h"
#include "support/TestEditor.h"

using namespace quill;
using namespace quill::studio;
using namespace quill::studio::test;
using json = nlohmann::json;

namespace {

const char* const kDesign = R"({"class": "TForm", "name": "Form1", "properties": {"Width": 500, "Height": 400},
  "children": [
    {"class": "TLabel", "name": "Label1", "properties": {"Left": 8, "Top": 8, "Caption": "Hello"}},
    {"class": "TImageList", "name": "Images1"},
    {"class": "TToolBar", "name": "Bar1"},
    {"class": "TQuillLabel", "name": "QLabel", "properties": {"Left": 10, "Top": 200, "Width": 80, "Height": 20, "AutoSize": false}},
    {"class": "TPanel", "name": "Panel1", "properties": {"Left": 200, "Top": 200}},
    {"class": "TQuillHtmlGenerator", "name": "Generator"}]})";

// Walks a property path ("Font.Size") from a component to its object and property.
std::pair<TPersistent*, const TPropInfo*> Resolve(TPersistent& component, const std::string& path) {
    TPersistent* object = &component;
    std::string rest = path;
    for (size_t dot; (dot = rest.find('.')) != std::string::npos; rest = rest.substr(dot + 1))
        object = object->PublishedInfo()->FindProperty(rest.substr(0, dot))->NestedObject(*object);
    return {object, object->PublishedInfo()->FindProperty(rest)};
}

}  // namespace

class PropertyInspectorTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TTestEditor> Editor;
    std::unique_ptr<TPropertyInspector> Inspector;

    void Open(const std::string& design) {
        Inspector.reset();
        Editor = std::make_unique<TTestEditor>(design);
        Inspector = std::make_unique<TPropertyInspector>(*Editor);
        Inspector->resize(520, 1400);
        Inspector->show();
        QVERIFY(QTest::qWaitForWindowExposed(Inspector.get()));
    }
    void Pick(const std::string& name) { Editor->Select({&Editor->Component(name)}); }

    // The editor of a property of the shown component, scrolled into view.
    template <class W>
    W* EditorOf(const std::string& path) {
        QTreeWidgetItem* item = Inspector->ItemOf(path);
        if (!item) qFatal("no row %s", path.c_str());
        for (QTreeWidgetItem* p = item->parent(); p; p = p->parent()) p->setExpanded(true);
        Inspector->Tree().scrollToItem(item);
        QWidget* widget = Inspector->EditorOf(path);
        if (auto* typed = qobject_cast<W*>(widget)) return typed;
        // A colour's combo sits in a box beside its picker button.
        if (widget)
            if (auto* inner = widget->findChild<W*>()) return inner;
        qFatal("no editor %s of that type", path.c_str());
    }
    // The shown component's property as the design stores it; null when not stored.
    json Stored(const std::string& path) {
        auto [object, prop] = Resolve(*Inspector->Shown(), path);
        return prop->IsStored(*object) ? json(WritePropertyValue(*object, *prop)) : json();
    }
    QString Message() const { return Inspector->Message().text(); }

    // Types over a line editor and checks that the property took the value
    // as one change, or that it was refused with a message and unchanged.
    void TypeAndExpect(QWidget* edit, const QString& text, const std::string& path, const json& stored) {
        const int changes = Editor->Changes();
        TypeOver(edit, text);
        COMPARE_JSON(Stored(path), stored);
        QCOMPARE(Editor->Changes(), changes + 1);
        QVERIFY(Message().isEmpty());
    }
    void TypeAndExpectRefusal(QWidget* edit, const QString& text, const std::string& path, const QString& message) {
        const int changes = Editor->Changes();
        const std::string before = WriteFormDesign(Editor->Form());
        const json value = Stored(path);
        TypeOver(edit, text);
        QVERIFY2(Message().contains(message), qPrintable(Message()));
        QCOMPARE(WriteFormDesign(Editor->Form()), before);
        COMPARE_JSON(Stored(path), value);
        QCOMPARE(Editor->Changes(), changes);
    }

private slots:
    void initTestCase() { RegisterClasses(); }
    void init() { Open(kDesign); }
    void cleanup() {
        Inspector.reset();
        Editor.reset();
    }

    void listsTheSelectedComponentsPublishedPropertiesFromTheRegistry() {
        Pick("Label1");
        QTreeWidget& tree = Inspector->Tree();
        const TClassInfo& info = *Editor->Component("Label1").PublishedInfo();
        QCOMPARE(tree.topLevelItemCount(), static_cast<int>(info.PublishedProperties().size()));
        for (int i = 0; i < tree.topLevelItemCount(); ++i)
            QCOMPARE(tree.topLevelItem(i)->text(0), QString::fromStdString(info.PublishedProperties()[size_t(i)]->Name));
        // A nested object expands to its own properties.
        QTreeWidgetItem* font = Inspector->ItemOf("Font");
        QCOMPARE(font->childCount(), static_cast<int>(TFont::StaticInfo().PublishedProperties().size()));
        QVERIFY(Inspector->ItemOf("Font.Style.fsBold"));
    }

    void integerRoundTripsAndASetterRefusalChangesNothing() {
        Pick("Label1");
        auto* left = EditorOf<QSpinBox>("Left");
        QCOMPARE(left->value(), 8);
        TypeAndExpect(left, "37", "Left", 37);
        QCOMPARE(static_cast<TControl&>(Editor->Component("Label1")).Left(), 37);
        Pick("Images1");
        auto* width = EditorOf<QSpinBox>("Width");
        TypeAndExpectRefusal(width, "0", "Width", "a glyph size must be at least 1, not 0");
        QCOMPARE(width->value(), 16);
        QCOMPARE(width->toolTip(), Message());
    }

    void stringRoundTripsAndRefusesWhatTheReaderRefuses() {
        Pick("Label1");
        auto* caption = EditorOf<QLineEdit>("Caption");
        QCOMPARE(caption->text(), "Hello");
        TypeAndExpect(caption, "Dear <World> & all", "Caption", "Dear <World> & all");
        // Leaving the field after Return is not a second change.
        const int changes = Editor->Changes();
        EditorOf<QSpinBox>("Left")->setFocus();
        QCOMPARE(Editor->Changes(), changes);
        Pick("Images1");
        auto* bitmap = EditorOf<QLineEdit>("Bitmap");
        TypeAndExpectRefusal(bitmap, "x#", "Bitmap", "Images1.Bitmap: row 1 has 2 pixels, not 16");
        QCOMPARE(bitmap->text(), "");
    }

    void booleanRoundTrips() {
        Pick("Label1");
        auto* transparent = EditorOf<QCheckBox>("Transparent");
        QVERIFY(!transparent->isChecked());
        transparent->setFocus();
        QTest::keyClick(transparent, Qt::Key_Space);
        COMPARE_JSON(Stored("Transparent"), json(true));
        QTest::mouseClick(transparent, Qt::LeftButton, {}, QPoint(6, transparent->height() / 2));
        COMPARE_JSON(Stored("Transparent"), json());
        QCOMPARE(Editor->Changes(), 2);
    }

    void enumerationOffersItsMembersAndRoundTrips() {
        Pick("Label1");
        auto* align = EditorOf<QComboBox>("Align");
        QStringList members;
        for (int i = 0; i < align->count(); ++i) members << align->itemText(i);
        QCOMPARE(members, (QStringList{"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"}));
        QCOMPARE(align->currentText(), "alNone");
        align->setFocus();
        QTest::keyClicks(align, "alR");
        COMPARE_JSON(Stored("Align"), json("alRight"));
        QTest::keyClick(align, Qt::Key_Home);
        COMPARE_JSON(Stored("Align"), json());
    }

    void setMembersAreCheckBoxes() {
        Pick("Bar1");
        COMPARE_JSON(Stored("EdgeBorders"), json({"ebTop"}));
        QVERIFY(EditorOf<QCheckBox>("EdgeBorders.ebTop")->isChecked());
        auto* left = EditorOf<QCheckBox>("EdgeBorders.ebLeft");
        left->setFocus();
        QTest::keyClick(left, Qt::Key_Space);
        COMPARE_JSON(Stored("EdgeBorders"), json({"ebLeft", "ebTop"}));
        QCOMPARE(Inspector->ItemOf("EdgeBorders")->text(1), R"(["ebLeft","ebTop"])");
        // A set inside a nested object.
        Pick("QLabel");
        auto* bold = EditorOf<QCheckBox>("HtmlFont.FontStyle.fsBold");
        bold->setFocus();
        QTest::keyClick(bold, Qt::Key_Space);
        COMPARE_JSON(Stored("HtmlFont.FontStyle"), json({"fsBold"}));
    }

    void colourTakesNamesNumbersAndRefusesUnknownNames() {
        Pick("Label1");
        auto* colour = EditorOf<QComboBox>("Color");
        QVERIFY(colour->findText("clBtnFace") >= 0);
        QVERIFY(colour->findText("clNavy") >= 0);
        TypeAndExpect(colour->lineEdit(), "clRed", "Color", "clRed");
        // Written as the writer writes it: a number that has a name by name.
        TypeAndExpect(colour->lineEdit(), "16711680", "Color", "clBlue");
        // Any other colour as "#RRGGBB", red first, however it was typed.
        TypeAndExpect(colour->lineEdit(), "12345", "Color", "#393000");
        QCOMPARE(colour->currentText(), "#393000");
        TypeAndExpect(colour->lineEdit(), "#1f4e79", "Color", "#1F4E79");
        TypeAndExpectRefusal(colour->lineEdit(), "clRedd", "Color", "Label1.Color: unknown colour name \"clRedd\"");
        QCOMPARE(colour->currentText(), "#1F4E79");
        // Choosing from the list.
        colour->setFocus();
        QTest::keyClick(colour, Qt::Key_Down);
        COMPARE_JSON(Stored("Color"), json("clBlack"));
    }

    void colourPickerWritesThePickedColour() {
        Pick("Label1");
        auto* box = Inspector->EditorOf("Color");
        auto* picker = box->findChild<QToolButton*>();
        QVERIFY(picker);
        const auto pickWith = [&](QColor color) {
            // The dialog is modal: answer it from the event loop it runs.
            auto* poll = new QTimer(this);
            connect(poll, &QTimer::timeout, this, [poll, color] {
                for (QWidget* w : QApplication::topLevelWidgets())
                    if (auto* dialog = qobject_cast<QColorDialog*>(w); dialog && dialog->isVisible()) {
                        dialog->setCurrentColor(color);
                        dialog->accept();
                        poll->deleteLater();
                        return;
                    }
            });
            poll->start(10);
            QTest::mouseClick(picker, Qt::LeftButton);
        };
        pickWith(QColor(1, 2, 3));
        COMPARE_JSON(Stored("Color"), json("#010203"));
        pickWith(QColor(0, 0, 128));
        COMPARE_JSON(Stored("Color"), json("clNavy"));
    }

    void referenceOffersOnlyComponentsThatFit() {
        Pick("Generator");
        auto* container = EditorOf<QComboBox>("Container");
        QStringList offered;
        for (int i = 0; i < container->count(); ++i) offered << container->itemText(i);
        // Controls that hold children; not the plain label, the image list or the form.
        QCOMPARE(offered, (QStringList{"(none)", "Bar1", "QLabel", "Panel1"}));
        container->setFocus();
        QTest::keyClicks(container, "Pan");
        COMPARE_JSON(Stored("Container"), json("Panel1"));
        QTest::keyClick(container, Qt::Key_Home);
        COMPARE_JSON(Stored("Container"), json());
        Pick("Bar1");
        auto* images = EditorOf<QComboBox>("Images");
        QCOMPARE(images->count(), 2);
        QCOMPARE(images->itemText(1), "Images1");
    }

    void nestedObjectValuesRoundTrip() {
        Pick("Label1");
        QVERIFY(!Inspector->IsBold("Font"));
        auto* size = EditorOf<QSpinBox>("Font.Size");
        TypeAndExpect(size, "14", "Font.Size", 14);
        QCOMPARE(static_cast<TControl&>(Editor->Component("Label1")).Font().Size(), 14);
        QVERIFY(Inspector->IsBold("Font"));
        QVERIFY(Inspector->IsBold("Font.Size"));
        // The font is the label's own now, as the reader makes it.
        QCOMPARE(EditorOf<QCheckBox>("ParentFont")->isChecked(), false);
    }

    void eventsOfferTheFormsHandlers() {
        Open(ReadSource("src/demo/HtmlPage.form.json"));
        Pick("Edit1");
        auto* onChange = EditorOf<QComboBox>("OnChange");
        QCOMPARE(onChange->currentText(), "Edit1Change");
        QVERIFY(onChange->findText("PublishButtonClick") > 0);
        QCOMPARE(onChange->itemText(0), "");
        onChange->setFocus();
        QTest::keyClick(onChange, Qt::Key_Home);
        COMPARE_JSON(Stored("OnChange"), json());
        QVERIFY(!Inspector->IsBold("OnChange"));
        QTest::keyClicks(onChange, "ToolButton3");
        COMPARE_JSON(Stored("OnChange"), json("ToolButton3Click"));
        QVERIFY(Inspector->IsBold("OnChange"));
    }

    void eventsAreReadOnlyWhenTheFormHasNoHandlers() {
        Pick("Generator");
        auto* onBefore = EditorOf<QLineEdit>("OnBeforeGenerate");
        QVERIFY(onBefore->isReadOnly());
        const int changes = Editor->Changes();
        TypeOver(onBefore, "Anything");
        QCOMPARE(Editor->Changes(), changes);
        COMPARE_JSON(Stored("OnBeforeGenerate"), json());
    }

    void valuesThatDifferFromANewObjectsAreBold() {
        Pick("Label1");
        QVERIFY(Inspector->IsBold("Caption"));
        QVERIFY(Inspector->IsBold("Left"));
        QVERIFY(!Inspector->IsBold("Visible"));
        QVERIFY(!Inspector->IsBold("Align"));
        QVERIFY(!Inspector->IsBold("Transparent"));
        auto* visible = EditorOf<QCheckBox>("Visible");
        visible->setFocus();
        QTest::keyClick(visible, Qt::Key_Space);
        QVERIFY(Inspector->IsBold("Visible"));
        QTest::keyClick(visible, Qt::Key_Space);
        QVERIFY(!Inspector->IsBold("Visible"));
        // A change made elsewhere shows too.
        Editor->SetProperty(Editor->Component("Label1"), *Editor->Component("Label1").PublishedInfo()->FindProperty("Align"),
                            "alBottom");
        QVERIFY(Inspector->IsBold("Align"));
        QCOMPARE(EditorOf<QComboBox>("Align")->currentText(), "alBottom");
    }

    void showsNothingForSeveralOrNoComponentsAndFollowsRemovalAndReplacement() {
        Editor->Select({&Editor->Component("Label1"), &Editor->Component("Bar1")});
        QCOMPARE(Inspector->Tree().topLevelItemCount(), 0);
        QVERIFY(Message().contains("2 components"));
        Editor->Select({});
        QCOMPARE(Inspector->Tree().topLevelItemCount(), 0);
        Pick("Panel1");
        QVERIFY(Inspector->Tree().topLevelItemCount() > 0);
        // The shown component goes: the rows go with it.
        delete &Editor->Component("Panel1");
        Editor->Touch();
        QCOMPARE(Inspector->Shown(), nullptr);
        QCOMPARE(Inspector->Tree().topLevelItemCount(), 0);
        Pick("Label1");
        Editor->Replace(R"({"class": "TForm", "name": "Other"})");
        QCOMPARE(Inspector->Shown(), nullptr);
        Pick("Other");
        QCOMPARE(Inspector->Shown(), &Editor->Form());
    }
};

QTEST_MAIN(PropertyInspectorTest)
#include "PropertyInspectorTest.moc"
