// The live page preview: the page `quill render` makes of the saved
// design, made once per burst of changes, with its source beside it.
#include <QPlainTextEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <memory>

#include "TestSupport.h"
#include "framework/FormWriter.h"
#include "studio/PagePreview.h"
#include "support/TestEditor.h"

using namespace quill;
using namespace quill::studio;
using namespace quill::studio::test;

namespace {

// The web view shares OpenGL contexts, which must be set before the application is made.
const bool kSharedContexts = [] {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    return true;
}();

// What `quill render` writes for the design as saved now.
QByteArray Rendered(TForm& form, const std::filesystem::path& file) {
    SaveFormDesign(form, file.string());
    QProcess quill;
    quill.start(QUILL_BINARY_DIR "/quill", {"render", QString::fromStdString(file.string())});
    if (!quill.waitForFinished(30000) || quill.exitCode() != 0)
        qWarning("quill render failed: %s", quill.readAllStandardError().constData());
    return quill.readAllStandardOutput();
}

QByteArray Bytes(const std::string& text) { return QByteArray(text.data(), static_cast<qsizetype>(text.size())); }

void SetCaption(TTestEditor& editor, const std::string& name, const std::string& caption) {
    TComponent& c = editor.Component(name);
    editor.SetProperty(c, *c.PublishedInfo()->FindProperty("Caption"), caption);
}

}  // namespace

class PagePreviewTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<quill::test::TTempDir> Dir;
    std::unique_ptr<TTestEditor> Editor;
    std::unique_ptr<TPagePreview> Preview;

private slots:
    void initTestCase() { RegisterClasses(); }

    void init() {
        Dir = std::make_unique<quill::test::TTempDir>("quill-preview");
        Editor = std::make_unique<TTestEditor>(ReadSource("examples/contact-card.form.json"),
                                               (*Dir / "card.form.json").string());
        Preview = std::make_unique<TPagePreview>(*Editor);
        Preview->resize(600, 400);
        Preview->show();
        QVERIFY(QTest::qWaitForWindowExposed(Preview.get()));
        QTRY_COMPARE(Preview->Generations(), 1);
    }
    void cleanup() {
        Preview.reset();
        Editor.reset();
        Dir.reset();
    }

    void theHtmlEqualsQuillRenderOfTheSavedDesign() {
        QVERIFY(!Preview->Html().empty());
        QCOMPARE(Bytes(Preview->Html()), Rendered(Editor->Form(), *Dir / "card.form.json"));
        SetCaption(*Editor, "NameLabel", "Grace <Hopper> & \xC3\xA9");
        QTRY_COMPARE(Preview->Generations(), 2);
        QVERIFY(Preview->Html().find("Grace <Hopper> & \xC3\xA9") != std::string::npos);
        QCOMPARE(Bytes(Preview->Html()), Rendered(Editor->Form(), *Dir / "card.form.json"));
    }

    void theViewShowsThePageWithTheDesignsFolderAsItsBase() {
        QWebEngineView& view = Preview->View();
        QTRY_COMPARE_WITH_TIMEOUT(view.title(), "Contact card - Ada Lovelace", 20000);
        QVariant base;
        bool answered = false;
        view.page()->runJavaScript("document.baseURI", [&](const QVariant& result) {
            base = result;
            answered = true;
        });
        QTRY_VERIFY_WITH_TIMEOUT(answered, 20000);
        QCOMPARE(base.toUrl(), QUrl::fromLocalFile(QString::fromStdString(Dir->Path().string()) + "/"));
    }

    void aBurstOfChangesMakesThePageOnce() {
        QSignalSpy spy(Preview.get(), &TPagePreview::Regenerated);
        SetCaption(*Editor, "NameLabel", "One");
        SetCaption(*Editor, "RoleLabel", "Two");
        SetCaption(*Editor, "MailLabel", "Three");
        QCOMPARE(spy.count(), 0);
        QTRY_COMPARE(spy.count(), 1);
        QTest::qWait(50);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(Preview->Generations(), 2);
        QVERIFY(Preview->Html().find("Three") != std::string::npos);
    }

    void thePageSourceTabShowsTheSameText() {
        QTabBar* tabs = Preview->Tabs().tabBar();
        QCOMPARE(tabs->tabText(1), "Page source");
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        QCOMPARE(Preview->Tabs().currentWidget(), &Preview->Source());
        QString expected = QString::fromStdString(Preview->Html());
        expected.remove('\r');
        QCOMPARE(Preview->Source().toPlainText(), expected);
        // Kept up to date while shown.
        SetCaption(*Editor, "PhoneLabel", "+1 555 0100");
        QTRY_VERIFY(Preview->Source().toPlainText().contains("+1 555 0100"));
    }

    void aPageOverAMegabyteIsShownToo() {
        // The view takes at most 2 MB in memory, which base64 makes of 1.5 MB.
        nlohmann::ordered_json children = nlohmann::ordered_json::array();
        for (int i = 0; i < 12000; ++i)
            children.push_back({{"class", "TQuillLabel"}, {"name", "L" + std::to_string(i)},
                                {"properties", {{"Left", (i % 40) * 64}, {"Top", (i / 40) * 24}, {"Width", 60},
                                                {"Height", 20}, {"AutoSize", false}, {"Caption", "Label " + std::to_string(i)}}}});
        children.push_back({{"class", "TQuillHtmlGenerator"}, {"name", "Generator"}});
        children.push_back({{"class", "TQuillHeader"}, {"name", "Header"}, {"properties", {{"Title", "Big page"}}}});
        Editor->Replace(nlohmann::ordered_json{{"class", "TForm"}, {"name", "Big"}, {"properties", {{"Width", 2600}}},
                                               {"children", children}}.dump());
        QTRY_COMPARE(Preview->Generations(), 2);
        QVERIFY(Preview->Html().size() > (size_t{3} << 19));
        QVERIFY(Preview->Problem().isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(Preview->View().title(), "Big page", 30000);
    }

    void aDesignWithoutAPageSaysWhy() {
        Editor->Replace(R"({"class": "TForm", "name": "Bare"})");
        QTRY_COMPARE(Preview->Generations(), 2);
        QVERIFY(Preview->Html().empty());
        QVERIFY(Preview->Problem().contains("no TQuillHtmlGenerator"));
        Editor->Replace(ReadSource("examples/two-columns.form.json"));
        QTRY_COMPARE(Preview->Generations(), 3);
        QVERIFY(Preview->Problem().isEmpty());
        QCOMPARE(Bytes(Preview->Html()), Rendered(Editor->Form(), *Dir / "two.form.json"));
    }
};

QTEST_MAIN(PagePreviewTest)
#include "PagePreviewTest.moc"
