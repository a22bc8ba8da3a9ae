#include "studio/PagePreview.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QWebEngineView>

#include "framework/Exception.h"
#include "page/QuillGenerator.h"

namespace quill::studio {

namespace {

// The web view takes a page in memory as a data URL of at most 2 MB, which
// base64 makes of 1.5 MB; a bigger page goes through a file.
constexpr size_t kMostInMemory = size_t{1} << 20;

}  // namespace

TPagePreview::TPagePreview(TDesignEditor& editor, QWidget* parent)
    : QWidget(parent),
      FEditor(editor),
      FTabs(new QTabWidget(this)),
      FView(new QWebEngineView),
      FSource(new QPlainTextEdit),
      FProblem(new QLabel(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FProblem);
    layout->addWidget(FTabs, 1);
    FTabs->addTab(FView, tr("Page"));
    FTabs->addTab(FSource, tr("Page source"));
    FSource->setReadOnly(true);
    FSource->setLineWrapMode(QPlainTextEdit::NoWrap);
    FSource->setFont(QFont("Monospace"));
    FProblem->setWordWrap(true);
    FProblem->setStyleSheet("color: #b00000");
    FProblem->hide();
    FTimer.setSingleShot(true);
    FTimer.setInterval(0);
    connect(&FTimer, &QTimer::timeout, this, &TPagePreview::Regenerate);
    connect(&FEditor, &TDesignEditor::Changed, this, &TPagePreview::Schedule);
    connect(&FEditor, &TDesignEditor::FormReplaced, this, &TPagePreview::Schedule);
    connect(FTabs, &QTabWidget::currentChanged, this, &TPagePreview::ShowSourceIfVisible);
    Schedule();
}

TPagePreview::~TPagePreview() = default;

QString TPagePreview::Problem() const { return FProblem->text(); }

void TPagePreview::Schedule() { FTimer.start(); }

void TPagePreview::Regenerate() {
    FTimer.stop();
    Generate();
    Show();
    emit Regenerated();
}

void TPagePreview::Generate() {
    ++FGenerations;
    FHtml.clear();
    QString problem;
    try {
        // The page `quill render` writes for the saved design.
        TForm& form = FEditor.Form();
        TQuillHtmlGenerator* generator = FirstHtmlGenerator(form);
        if (!generator) throw Exception(form.Name() + ": the form has no TQuillHtmlGenerator, so it makes no page");
        TStrings* lines = generator->Generate();
        if (!lines) throw Exception(generator->Name() + ": the run gave no page");
        FHtml = lines->Text();
    } catch (const std::exception& e) {
        FHtml.clear();
        problem = QString::fromStdString(e.what());
    }
    FProblem->setText(problem);
    FProblem->setVisible(!problem.isEmpty());
    FSourceStale = true;
}

void TPagePreview::Show() {
    // Relative paths in the page (an image's source) lead from the design's folder.
    const std::string fileName = FEditor.FileName();
    const QUrl base = fileName.empty()
                          ? QUrl()
                          : QUrl::fromLocalFile(QFileInfo(QString::fromStdString(fileName)).absolutePath() + "/");
    if (FHtml.size() <= kMostInMemory) {
        FView->setHtml(QString::fromUtf8(FHtml.data(), static_cast<qsizetype>(FHtml.size())), base);
    } else {
        if (!FSpill) FSpill = std::make_unique<QTemporaryDir>();
        QFile page(FSpill->filePath("page.html"));
        if (page.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
            page.write(FHtml.data(), static_cast<qint64>(FHtml.size())) == static_cast<qint64>(FHtml.size())) {
            page.close();
            FView->load(QUrl::fromLocalFile(page.fileName()));
        } else {
            FProblem->setText(tr("The page of %1 bytes could not be shown: %2").arg(FHtml.size()).arg(page.errorString()));
            FProblem->show();
        }
    }
    ShowSourceIfVisible();
}

void TPagePreview::ShowSourceIfVisible() {
    // A big page's source costs more to lay out than to make: only when shown.
    if (!FSourceStale || FTabs->currentWidget() != FSource) return;
    QString text = QString::fromUtf8(FHtml.data(), static_cast<qsizetype>(FHtml.size()));
    text.remove(QLatin1Char('\r'));
    FSource->setPlainText(text);
    FSourceStale = false;
}

}  // namespace quill::studio
