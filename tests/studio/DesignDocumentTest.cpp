// The open design: its undo steps, saves, names and autosaved copies.
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <memory>

#include "TestSupport.h"
#include "framework/Exception.h"
#include "framework/FormReader.h"
#include "framework/FormWriter.h"
#include "framework/Panel.h"
#include "page/QuillGenerator.h"
#include "studio/Autosave.h"
#include "studio/DesignDocument.h"
#include "support/StudioTestSupport.h"

using namespace quill;
using namespace quill::studio;
using namespace quill::studiotest;

namespace {

const TPropInfo& Prop(const TPersistent& object, const std::string& name) {
    const TPropInfo* prop = object.PublishedInfo()->FindProperty(name);
    if (!prop) qFatal("no property %s", name.c_str());
    return *prop;
}

// What `quill format` makes of a design.
std::string Formatted(const std::string& text) { return WriteFormDesign(*ReadFormDesign(text, "design")); }

}  // namespace

class DesignDocumentTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TTempDir> Dir;
    std::unique_ptr<TDesignDocument> Doc;

    std::string WriteDesign(const std::string& name, const std::string& text) {
        const std::string path = (*Dir / name).string();
        test::WriteFile(path, text);
        return path;
    }
    std::string Saved(const std::string& name) {
        const std::string path = (*Dir / name).string();
        Doc->SaveAs(path);
        return test::ReadFile(path);
    }
    TComponent& Named(const std::string& name) {
        TComponent* c = Doc->Form().FindComponent(name);
        if (!c) qFatal("no component %s", name.c_str());
        return *c;
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() {
        Dir = std::make_unique<test::TTempDir>("quill-studio-document");
        Doc = std::make_unique<TDesignDocument>();
    }
    void cleanup() {
        Doc.reset();
        Dir.reset();
    }

    // Every kind of change, undone to the opened state, saves the same bytes.
    void undoneChangesSaveTheOriginalBytes() {
        const std::string original =
            Formatted(test::ReadFile(std::string(QUILL_SOURCE_DIR) + "/examples/two-columns.form.json"));
        Doc->Open(WriteDesign("original.form.json", original));
        QVERIFY(!Doc->IsDirty());
        TForm& form = Doc->Form();
        TComponent& panel = Doc->Add(TPanel::StaticInfo(), form, 300, 200);
        TControl* first = form.Controls(0);
        Doc->SetProperty(*first, Prop(*first, "Caption"), "Changed");
        TControl& panelControl = *panel.AsControl();
        Doc->SetProperty(panelControl.Font(), Prop(panelControl.Font(), "Size"), 20);
        Doc->MoveBy({first}, 5, 7);
        Doc->Paste(Doc->CopyText({first}), form);
        Doc->Reparent({first}, *panel.AsControl()->AsWinControl());
        Doc->BringToFront({form.Controls(0)});
        Doc->SendToBack({&panel});
        Doc->Delete({form.Controls(0)});
        QVERIFY(Doc->IsDirty());
        const std::string changed = Saved("changed.form.json");
        QVERIFY(changed != original);
        while (Doc->UndoStack().canUndo()) Doc->UndoStack().undo();
        QVERIFY(Doc->IsDirty());  // the file on disk is now the changed one
        QCOMPARE(Saved("undone.form.json"), original);
        while (Doc->UndoStack().canRedo()) Doc->UndoStack().redo();
        QCOMPARE(Saved("redone.form.json"), changed);
    }

    // A save writes what formatting the design would write, $schema kept.
    void savedDesignIsFormatted() {
        const std::string example = std::string(QUILL_SOURCE_DIR) + "/examples/contact-card.form.json";
        Doc->Open(example);
        const std::string saved = Saved("card.form.json");
        QVERIFY(saved.find("\"$schema\": \"../docs/form-design.schema.json\"") != std::string::npos);
        QCOMPARE(WriteFormDesign(*ReadFormDesign(saved, "card"), "../docs/form-design.schema.json"), saved);
        QVERIFY(!Doc->IsDirty());
    }

    void refusedValueChangesNothing() {
        Doc->Open(WriteDesign("d.form.json", FormWith(Label("QuillLabel1", 8, 8, 80, 20))));
        TComponent& label = Named("QuillLabel1");
        const std::string before = Doc->DesignText();
        QSignalSpy changed(Doc.get(), &TDesignEditor::Changed);
        try {
            Doc->SetProperty(label, Prop(label, "Align"), "alMiddle");
            QFAIL("an unknown member was taken");
        } catch (const Exception& e) {
            QVERIFY2(e.Message().find("QuillLabel1.Align: unknown member \"alMiddle\" of TAlign") != std::string::npos,
                     e.Message().c_str());
        }
        // A nested object's value is named as the reader names it.
        TPersistent& cell = *Prop(label, "CellFormat").NestedObject(label);
        try {
            Doc->SetProperty(cell, Prop(cell, "AlignH"), 3);
            QFAIL("a number was taken for a member name");
        } catch (const Exception& e) {
            QVERIFY2(e.Message().find("QuillLabel1.CellFormat.AlignH: expected a member name of THtmlAlignH") !=
                         std::string::npos,
                     e.Message().c_str());
        }
        QCOMPARE(Doc->DesignText(), before);
        QCOMPARE(Doc->UndoStack().count(), 0);
        QCOMPARE(changed.count(), 0);
        Doc->SetProperty(cell, Prop(cell, "AlignH"), "haRight");
        QVERIFY(Doc->DesignText().find("\"AlignH\": \"haRight\"") != std::string::npos);
        Doc->UndoStack().undo();
        QCOMPARE(Doc->DesignText(), before);
        QVERIFY(!Doc->IsDirty());
    }

    void failedSaveSaysWhyAndStaysDirty() {
        Doc->Add(TPanel::StaticInfo(), Doc->Form(), 8, 8);
        for (const std::string& target : {Dir->Path().string(), (*Dir / "missing" / "d.form.json").string()}) {
            try {
                Doc->SaveAs(target);
                QFAIL("the save did not fail");
            } catch (const Exception& e) {
                QVERIFY(!e.Message().empty());
            }
            QVERIFY(Doc->IsDirty());
            QCOMPARE(Doc->FileName(), std::string());
        }
    }

    void openRefusesWhatIsNoDesignFile() {
        const std::string folder = Dir->Path().string();
        QVERIFY_THROWS_EXCEPTION(Exception, Doc->Open(folder));
        QVERIFY_THROWS_EXCEPTION(Exception, Doc->Open("/dev/null"));
        const std::string bad = WriteDesign("bad.form.json", R"({"class": "TForm", "name": "F", "colour": 1})");
        try {
            Doc->Open(bad);
            QFAIL("a bad design opened");
        } catch (const Exception& e) {
            QVERIFY2(e.Message().find("unknown key \"colour\"") != std::string::npos, e.Message().c_str());
        }
        QCOMPARE(Doc->FileName(), std::string());
    }

    // Pasted components keep a free name, else get the class's next one.
    void pastedComponentsGetFreshNames() {
        Doc->Open(WriteDesign("d.form.json", FormWith(Label("QuillLabel1", 8, 8, 80, 20))));
        const std::string copied = Doc->CopyText({&Named("QuillLabel1")});
        auto names = [](const std::vector<TComponent*>& made) {
            std::string text;
            for (TComponent* c : made) text += c->Name() + " ";
            return text;
        };
        QCOMPARE(names(Doc->Paste(copied, Doc->Form())), std::string("QuillLabel2 "));
        QCOMPARE(names(Doc->Paste(copied, Doc->Form())), std::string("QuillLabel3 "));
        QCOMPARE(Named("QuillLabel3").AsControl()->Left(), 16);  // offset from the original
        QCOMPARE(names(Doc->Duplicate({&Named("QuillLabel2")})), std::string("QuillLabel4 "));
        // A panel and what it holds, copied together: each a new name.
        TComponent& panel = Doc->Add(TPanel::StaticInfo(), Doc->Form(), 200, 200);
        Doc->Reparent({&Named("QuillLabel1")}, *panel.AsControl()->AsWinControl());
        QCOMPARE(names(Doc->Duplicate({&panel})), std::string("Panel2 "));
        QVERIFY(Doc->Form().FindComponent("QuillLabel5"));
        QCOMPARE(ControlNamed(Doc->Form(), "QuillLabel5").Parent()->Name(), std::string("Panel2"));
        // Cut and pasted back: the name is free again.
        Doc->Cut({&Named("QuillLabel1")});
        QCOMPARE(names(Doc->Paste(copied, Doc->Form())), std::string("QuillLabel1 "));
        QVERIFY_THROWS_EXCEPTION(Exception, Doc->Paste("not json", Doc->Form()));
    }

    // Undoing a delete puts back what referred to the deleted component.
    void undoneDeleteRestoresReferences() {
        Doc->Open(WriteDesign("d.form.json", FormWith(Panel("Panel1", 8, 8, 200, 100, Label("QuillLabel1", 4, 4, 80, 20)) +
                                                      R"(, {"class": "TQuillHtmlGenerator", "name": "Gen",
                                                           "properties": {"Container": "Panel1"}})")));
        const std::string before = Doc->DesignText();
        auto* generator = dynamic_cast<TQuillHtmlGenerator*>(&Named("Gen"));
        QVERIFY(generator && generator->Container());
        Doc->Delete({&Named("Panel1")});
        QVERIFY(!Doc->Form().FindComponent("QuillLabel1"));
        QVERIFY(!generator->Container());
        Doc->UndoStack().undo();
        QCOMPARE(Doc->DesignText(), before);
        QCOMPARE(generator->Container()->Name(), std::string("Panel1"));
    }

    // A font change also clears ParentFont; undo restores both.
    void undoRestoresWhatAChangeDidBesideIt() {
        Doc->Open(WriteDesign("d.form.json", FormWith(Panel("Panel1", 8, 8, 200, 100))));
        const std::string before = Doc->DesignText();
        auto& panel = ControlNamed(Doc->Form(), "Panel1");
        QVERIFY(panel.ParentFont());
        Doc->SetProperty(panel.Font(), Prop(panel.Font(), "Name"), "Courier New");
        QVERIFY(!panel.ParentFont());
        Doc->UndoStack().undo();
        QVERIFY(panel.ParentFont());
        QCOMPARE(Doc->DesignText(), before);
    }

    // The copy appears after a change and goes once the design is saved.
    void autosaveKeepsACopyWhileDirty() {
        const std::string path = WriteDesign("d.form.json", Formatted(FormWith(Label("QuillLabel1", 8, 8, 80, 20))));
        Doc->Open(path);
        TAutosave autosave(*Doc);
        autosave.SetDelays(10, 50);
        const std::string copy = TAutosave::PathFor(path);
        QCOMPARE(copy, (*Dir / ".d.form.json.autosave").string());
        Doc->MoveBy({&Named("QuillLabel1")}, 3, 0);
        QTRY_VERIFY(std::filesystem::exists(copy));
        QCOMPARE(test::ReadFile(copy), Doc->DesignText());
        QVERIFY(TAutosave::NewerCopy(path).has_value());
        Doc->Save();
        QVERIFY(!std::filesystem::exists(copy));
        QVERIFY(!TAutosave::NewerCopy(path).has_value());
    }

    void recoveredCopyOpensDirtyAndUndoable() {
        const std::string original = Formatted(FormWith(Label("QuillLabel1", 8, 8, 80, 20)));
        const std::string path = WriteDesign("d.form.json", original);
        const std::string recovered = Formatted(FormWith(Label("QuillLabel1", 40, 8, 80, 20)));
        Doc->OpenRecovered(path, recovered);
        QCOMPARE(Doc->FileName(), path);
        QVERIFY(Doc->IsDirty());
        QCOMPARE(Doc->DesignText(), recovered);
        Doc->UndoStack().undo();
        QCOMPARE(Doc->DesignText(), original);
        QVERIFY(!Doc->IsDirty());
        QVERIFY_THROWS_EXCEPTION(Exception, Doc->OpenRecovered(path, "{"));
    }
};

QTEST_MAIN(DesignDocumentTest)
#include "DesignDocumentTest.moc"
