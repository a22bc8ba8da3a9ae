#pragma once

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <string>

#include "framework/TypeInfo.h"

namespace quill::studio {

class TAutosave;
class TComponentPalette;
class TComponentTray;
class TDesignCanvas;
class TDesignDocument;
class TObjectTree;
class TPageGridOverlay;
class TPagePreview;
class TProblemsPane;
class TPropertyInspector;

// The Studio's main window: the canvas with the tray under it, the
// palette beside it, the File, Edit and View menus and a tool bar. Panes
// join as dock widgets through AddPane.
class TStudioWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit TStudioWindow(QWidget* parent = nullptr);
    ~TStudioWindow() override;

    TDesignDocument& Document() { return *FDocument; }
    TDesignCanvas& Canvas() { return *FCanvas; }
    TComponentPalette& Palette() { return *FPalette; }
    TComponentTray& Tray() { return *FTray; }
    TAutosave& Autosave() { return *FAutosave; }
    TObjectTree& ObjectTree() { return *FObjectTree; }
    TPropertyInspector& Inspector() { return *FInspector; }
    TPagePreview& Preview() { return *FPreview; }
    TProblemsPane& Problems() { return *FProblems; }
    TPageGridOverlay& GridOverlay() { return *FGridOverlay; }
    // View > Page Grid: draws the page table's lines over the canvas.
    QAction* PageGridAction() const { return FPageGrid; }

    // Docks a pane and lists it in the View menu.
    void AddPane(QDockWidget* pane, Qt::DockWidgetArea area = Qt::RightDockWidgetArea);
    QMenu* ViewMenu() const { return FViewMenu; }
    // The status bar's place for the page grid's counts.
    QLabel* GridCountsLabel() const { return FGridCounts; }

    // Opens a design, offering a newer autosaved copy first; a failure is
    // shown in a message box. False when nothing was opened.
    bool OpenFile(const QString& fileName);
    // Offers the copy of a design never saved, left by a crash.
    void OfferUntitledRecovery();
    // Asks about unsaved changes: saved or discarded gives true.
    bool MaybeSave();
    bool Save();
    bool SaveAs(const QString& fileName = {});

public slots:
    void ShowGridCounts(int rows, int cols, int cells);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateActions();
    void UpdateTitle();
    void AddRecent(const QString& fileName);
    void FillRecentMenu();
    void AddChosenClass(const TClassInfo* info);
    void ShowError(const QString& message);
    void CreatePanes();
    void ShowPageGrid(bool shown);

    TDesignDocument* FDocument;
    TAutosave* FAutosave;
    TDesignCanvas* FCanvas;
    TComponentPalette* FPalette;
    TComponentTray* FTray;
    QMenu* FViewMenu = nullptr;
    QMenu* FRecentMenu = nullptr;
    QLabel* FGridCounts;
    TObjectTree* FObjectTree = nullptr;
    TPropertyInspector* FInspector = nullptr;
    TPagePreview* FPreview = nullptr;
    TProblemsPane* FProblems = nullptr;
    TPageGridOverlay* FGridOverlay = nullptr;
    QAction* FPageGrid = nullptr;
};

}  // namespace quill::studio
