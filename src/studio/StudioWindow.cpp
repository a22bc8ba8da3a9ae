#include "studio/StudioWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollArea>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include "framework/Exception.h"
#include "studio/Autosave.h"
#include "studio/ComponentPalette.h"
#include "studio/ComponentTray.h"
#include "studio/DesignCanvas.h"
#include "studio/DesignDocument.h"
#include "studio/ObjectTree.h"
#include "studio/PageGridOverlay.h"
#include "studio/PagePreview.h"
#include "studio/ProblemsPane.h"
#include "studio/PropertyInspector.h"

namespace quill::studio {

namespace {

const char* kRecentKey = "recentFiles";
constexpr int kMaxRecent = 8;

QString Str(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

TStudioWindow::TStudioWindow(QWidget* parent)
    : QMainWindow(parent),
      FDocument(new TDesignDocument(this)),
      FAutosave(new TAutosave(*FDocument, this)),
      FCanvas(new TDesignCanvas(*FDocument)),
      FPalette(new TComponentPalette),
      FTray(new TComponentTray(*FDocument)),
      FGridCounts(new QLabel) {
    setObjectName("StudioWindow");
    auto* scroll = new QScrollArea;
    scroll->setObjectName("CanvasScroll");
    scroll->setWidget(FCanvas);
    scroll->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scroll->setBackgroundRole(QPalette::Dark);
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(scroll, 1);
    layout->addWidget(FTray);
    setCentralWidget(central);

    auto* paletteDock = new QDockWidget(tr("Components"), this);
    paletteDock->setObjectName("PaletteDock");
    paletteDock->setWidget(FPalette);
    addDockWidget(Qt::LeftDockWidgetArea, paletteDock);
    connect(FPalette, &TComponentPalette::ClassChosen, this, &TStudioWindow::AddChosenClass);

    FGridCounts->setObjectName("GridCounts");
    statusBar()->addPermanentWidget(FGridCounts);
    CreateActions();
    FViewMenu->addAction(paletteDock->toggleViewAction());
    CreatePanes();

    connect(FDocument, &TDesignDocument::DirtyChanged, this, &TStudioWindow::UpdateTitle);
    connect(FDocument, &TDesignDocument::FileNameChanged, this, &TStudioWindow::UpdateTitle);
    connect(FAutosave, &TAutosave::Failed, this,
            [this](const QString& message) { statusBar()->showMessage(tr("Autosave failed: %1").arg(message)); });
    UpdateTitle();
    resize(1400, 860);
}

TStudioWindow::~TStudioWindow() {
    // The canvas, the tray and the panes hold the document: they go first.
    delete takeCentralWidget();
    for (QDockWidget* dock : findChildren<QDockWidget*>(Qt::FindDirectChildrenOnly)) {
        removeDockWidget(dock);
        delete dock;
    }
}

void TStudioWindow::CreateActions() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    QToolBar* tools = addToolBar(tr("Main"));
    tools->setObjectName("MainToolBar");
    auto add = [this](QMenu* menu, const QString& text, QKeySequence keys, auto slot) {
        QAction* action = menu->addAction(text);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    tools->addAction(add(file, tr("&New"), QKeySequence::New, [this] {
        if (MaybeSave()) FDocument->New();
    }));
    tools->addAction(add(file, tr("&Open..."), QKeySequence::Open, [this] {
        if (!MaybeSave()) return;
        const QString name = QFileDialog::getOpenFileName(this, tr("Open design"), {}, tr("Designs (*.json);;All files (*)"));
        if (!name.isEmpty()) OpenFile(name);
    }));
    FRecentMenu = file->addMenu(tr("Open &Recent"));
    FillRecentMenu();
    tools->addAction(add(file, tr("&Save"), QKeySequence::Save, [this] { Save(); }));
    // Spelled out: the standard Save As key is empty where no desktop
    // theme names one (a bare X server, the offscreen platform).
    add(file, tr("Save &As..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [this] { SaveAs(); });
    file->addSeparator();
    add(file, tr("&Quit"), QKeySequence::Quit, [this] { close(); });

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    QAction* undo = FDocument->UndoStack().createUndoAction(this, tr("&Undo"));
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = FDocument->UndoStack().createRedoAction(this, tr("&Redo"));
    redo->setShortcut(QKeySequence::Redo);
    edit->addActions({undo, redo});
    tools->addSeparator();
    tools->addActions({undo, redo});
    edit->addSeparator();
    add(edit, tr("Cu&t"), QKeySequence::Cut, [this] { FCanvas->CutSelection(); });
    add(edit, tr("&Copy"), QKeySequence::Copy, [this] { FCanvas->CopySelection(); });
    add(edit, tr("&Paste"), QKeySequence::Paste, [this] {
        try {
            FCanvas->Paste();
        } catch (const Exception& e) {
            ShowError(Str(e.Message()));
        }
    });
    add(edit, tr("D&uplicate"), QKeySequence(Qt::CTRL | Qt::Key_D), [this] { FCanvas->DuplicateSelection(); });
    add(edit, tr("&Delete"), QKeySequence::Delete, [this] { FCanvas->DeleteSelection(); });
    add(edit, tr("Select &All"), QKeySequence::SelectAll, [this] { FCanvas->SelectAll(); });
    edit->addSeparator();
    add(edit, tr("Bring to &Front"), QKeySequence(Qt::CTRL | Qt::Key_BracketRight),
        [this] { FCanvas->BringSelectionToFront(); });
    add(edit, tr("Send to &Back"), QKeySequence(Qt::CTRL | Qt::Key_BracketLeft),
        [this] { FCanvas->SendSelectionToBack(); });

    FViewMenu = menuBar()->addMenu(tr("&View"));
    QAction* snap = FViewMenu->addAction(tr("&Snap to Grid"));
    snap->setObjectName("SnapToGrid");
    snap->setCheckable(true);
    snap->setChecked(FCanvas->SnapToGrid());
    connect(snap, &QAction::toggled, FCanvas, &TDesignCanvas::SetSnapToGrid);
    FViewMenu->addSeparator();
}

void TStudioWindow::CreatePanes() {
    auto dock = [this](QWidget* pane, const QString& title, const char* name, Qt::DockWidgetArea area) {
        auto* d = new QDockWidget(title, this);
        d->setObjectName(name);
        d->setWidget(pane);
        AddPane(d, area);
        return d;
    };
    FObjectTree = new TObjectTree(*FDocument);
    FInspector = new TPropertyInspector(*FDocument);
    FPreview = new TPagePreview(*FDocument);
    FProblems = new TProblemsPane(*FDocument);
    QDockWidget* tree = dock(FObjectTree, tr("Objects"), "ObjectTreeDock", Qt::LeftDockWidgetArea);
    QDockWidget* inspector = dock(FInspector, tr("Properties"), "InspectorDock", Qt::LeftDockWidgetArea);
    QDockWidget* preview = dock(FPreview, tr("Page preview"), "PreviewDock", Qt::RightDockWidgetArea);
    QDockWidget* problems = dock(FProblems, tr("Problems"), "ProblemsDock", Qt::BottomDockWidgetArea);
    tabifyDockWidget(tree, inspector);
    tree->raise();
    // The side panes run the window's full height; the problems sit under
    // the canvas, a few lines high, so the form keeps the most room.
    setCorner(Qt::BottomLeftCorner, Qt::LeftDockWidgetArea);
    setCorner(Qt::BottomRightCorner, Qt::RightDockWidgetArea);
    resizeDocks({problems}, {110}, Qt::Vertical);
    resizeDocks({preview}, {420}, Qt::Horizontal);

    FGridOverlay = new TPageGridOverlay(this);
    connect(FGridOverlay, &TPageGridOverlay::CountsChanged, this, [this](int rows, int cols, int cells) {
        if (FPageGrid->isChecked()) ShowGridCounts(rows, cols, cells);
    });
    FViewMenu->addSeparator();
    FPageGrid = FViewMenu->addAction(tr("Page &Grid"));
    FPageGrid->setObjectName("PageGrid");
    FPageGrid->setCheckable(true);
    FPageGrid->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    connect(FPageGrid, &QAction::toggled, this, &TStudioWindow::ShowPageGrid);
}

void TStudioWindow::ShowPageGrid(bool shown) {
    FCanvas->SetOverlay(shown ? FGridOverlay : nullptr);
    if (!shown) {
        FGridCounts->clear();
        return;
    }
    // The overlay only says when a count changes: show where it stands now.
    FGridOverlay->Update(FDocument->Form());
    ShowGridCounts(FGridOverlay->Rows(), FGridOverlay->Columns(), FGridOverlay->Cells());
}

void TStudioWindow::AddPane(QDockWidget* pane, Qt::DockWidgetArea area) {
    addDockWidget(area, pane);
    FViewMenu->addAction(pane->toggleViewAction());
}

void TStudioWindow::ShowGridCounts(int rows, int cols, int cells) {
    FGridCounts->setText(tr("Page grid: %1 rows, %2 columns, %3 cells").arg(rows).arg(cols).arg(cells));
}

void TStudioWindow::UpdateTitle() {
    const std::string file = FDocument->FileName();
    const QString name = file.empty() ? tr("Untitled") : QFileInfo(Str(file)).fileName();
    setWindowTitle(name + (FDocument->IsDirty() ? "*" : "") + " - QuillStudio");
}

void TStudioWindow::ShowError(const QString& message) { QMessageBox::warning(this, "QuillStudio", message); }

bool TStudioWindow::OpenFile(const QString& fileName) {
    const std::string name = fileName.toStdString();
    try {
        if (std::optional<std::string> copy = TAutosave::NewerCopy(name)) {
            const auto answer = QMessageBox::question(
                this, "QuillStudio",
                tr("%1 has unsaved changes from an earlier session that ended without saving. Recover them?")
                    .arg(QFileInfo(fileName).fileName()),
                QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
            if (answer == QMessageBox::Yes) {
                try {
                    FDocument->OpenRecovered(name, *copy);
                    FAutosave->WriteNow();
                    AddRecent(fileName);
                    return true;
                } catch (const Exception& e) {
                    ShowError(tr("The recovered copy cannot be read: %1").arg(Str(e.Message())));
                }
            }
        }
        FDocument->Open(name);
        AddRecent(fileName);
        return true;
    } catch (const Exception& e) {
        ShowError(Str(e.Message()));
        return false;
    }
}

void TStudioWindow::OfferUntitledRecovery() {
    std::optional<std::string> copy = TAutosave::NewerCopy("");
    if (!copy) return;
    const auto answer = QMessageBox::question(
        this, "QuillStudio", tr("A design that was never saved has changes from an earlier session. Recover them?"),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (answer != QMessageBox::Yes) {
        TAutosave::Remove("");
        return;
    }
    try {
        FDocument->OpenRecovered("", *copy);
        FAutosave->WriteNow();
    } catch (const Exception& e) {
        ShowError(tr("The recovered copy cannot be read: %1").arg(Str(e.Message())));
    }
}

bool TStudioWindow::MaybeSave() {
    if (!FDocument->IsDirty()) return true;
    const std::string file = FDocument->FileName();
    const QString name = file.empty() ? tr("The new design") : QFileInfo(Str(file)).fileName();
    QMessageBox box(QMessageBox::Warning, "QuillStudio", tr("%1 has unsaved changes.").arg(name),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setObjectName("UnsavedChanges");
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        return Save();
    case QMessageBox::Discard:
        TAutosave::Remove(file);
        return true;
    default:
        return false;
    }
}

bool TStudioWindow::Save() {
    if (FDocument->FileName().empty()) return SaveAs();
    try {
        FDocument->Save();
        statusBar()->showMessage(tr("Saved %1").arg(Str(FDocument->FileName())), 3000);
        return true;
    } catch (const Exception& e) {
        ShowError(tr("The design was not saved: %1").arg(Str(e.Message())));
        return false;
    }
}

bool TStudioWindow::SaveAs(const QString& fileName) {
    QString name = fileName;
    if (name.isEmpty())
        name = QFileDialog::getSaveFileName(this, tr("Save design"), Str(FDocument->FileName()),
                                            tr("Designs (*.form.json *.json)"));
    if (name.isEmpty()) return false;
    try {
        FDocument->SaveAs(name.toStdString());
        AddRecent(name);
        return true;
    } catch (const Exception& e) {
        ShowError(tr("The design was not saved: %1").arg(Str(e.Message())));
        return false;
    }
}

void TStudioWindow::AddRecent(const QString& fileName) {
    QSettings settings;
    QStringList recent = settings.value(kRecentKey).toStringList();
    const QString path = QFileInfo(fileName).absoluteFilePath();
    recent.removeAll(path);
    recent.prepend(path);
    while (recent.size() > kMaxRecent) recent.removeLast();
    settings.setValue(kRecentKey, recent);
    FillRecentMenu();
}

void TStudioWindow::FillRecentMenu() {
    FRecentMenu->clear();
    const QStringList recent = QSettings().value(kRecentKey).toStringList();
    // Chosen from the menu, so the list may change under it: later.
    for (const QString& path : recent)
        connect(FRecentMenu->addAction(path), &QAction::triggered, this, [this, path] {
            QMetaObject::invokeMethod(this, [this, path] {
                if (MaybeSave()) OpenFile(path);
            }, Qt::QueuedConnection);
        });
    FRecentMenu->setEnabled(!recent.isEmpty());
}

void TStudioWindow::AddChosenClass(const TClassInfo* info) {
    // Into the one selected container, else onto the form, a little apart
    // from the last one added so that new controls do not hide each other.
    TForm& form = FDocument->Form();
    TWinControl* parent = &form;
    const auto& selection = FDocument->Selection();
    if (selection.size() == 1 && selection.front()->AsControl() && selection.front()->PublishedInfo()->AcceptsChildren)
        parent = selection.front()->AsControl()->AsWinControl();
    const int offset = 16 + 8 * (form.ComponentCount() % 8);
    try {
        FDocument->Add(*info, info->IsControl ? *parent : form, offset, info->IsControl ? offset : 0);
    } catch (const Exception& e) {
        ShowError(Str(e.Message()));
    }
}

void TStudioWindow::closeEvent(QCloseEvent* event) {
    if (!MaybeSave()) {
        event->ignore();
        return;
    }
    event->accept();
}

}  // namespace quill::studio
