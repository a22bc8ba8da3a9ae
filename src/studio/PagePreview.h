#pragma once

#include <QTimer>
#include <QWidget>
#include <memory>
#include <string>

#include "studio/DesignEditor.h"

class QLabel;
class QPlainTextEdit;
class QTabWidget;
class QTemporaryDir;
class QWebEngineView;

namespace quill::studio {

// The page the design's page generator makes, shown by a web view and as
// its source, made again after every change. A burst of changes makes the
// page once, when control returns to the event loop.
class TPagePreview : public QWidget {
    Q_OBJECT

public:
    explicit TPagePreview(TDesignEditor& editor, QWidget* parent = nullptr);
    ~TPagePreview() override;

    // The page's bytes exactly as a saved page holds them: every line
    // followed by CR LF. Empty when the design makes no page.
    const std::string& Html() const { return FHtml; }
    // Why there is no page, or empty.
    QString Problem() const;
    // Pages made so far.
    int Generations() const { return FGenerations; }

    QWebEngineView& View() const { return *FView; }
    QPlainTextEdit& Source() const { return *FSource; }
    QTabWidget& Tabs() const { return *FTabs; }

    // Makes the page now and hands it to the view, whatever is pending.
    void Regenerate();

signals:
    // After each page made, or each failure to make one.
    void Regenerated();

private:
    void Schedule();
    void Generate();
    void Show();
    void ShowSourceIfVisible();

    TDesignEditor& FEditor;
    QTabWidget* FTabs;
    QWebEngineView* FView;
    QPlainTextEdit* FSource;
    QLabel* FProblem;
    QTimer FTimer;
    std::string FHtml;
    bool FSourceStale = true;
    int FGenerations = 0;
    // Pages too big to hand over in memory are shown from a file here.
    std::unique_ptr<QTemporaryDir> FSpill;
};

}  // namespace quill::studio
