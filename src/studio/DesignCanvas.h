#pragma once

#include <QImage>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QToolButton>
#include <QWidget>
#include <memory>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "studio/CanvasOverlay.h"
#include "studio/Snapper.h"

namespace quill {
class TQuillImage;
}

namespace quill::studio {

class TDesignDocument;

// The form at its design size, its controls drawn as the demo's window
// draws them, with the selection's handles on top. The mouse selects
// (click, Shift or Ctrl click, rubber band), moves, resizes and drops into
// containers; the arrow keys nudge. A drag changes the controls directly
// and becomes one undo step when the button is released.
class TDesignCanvas : public QWidget {
    Q_OBJECT

public:
    static constexpr int kHandleSize = 6;
    static constexpr const char* kClassMime = "application/x-quill-class";
    static constexpr const char* kDesignMime = "application/x-quill-design";

    explicit TDesignCanvas(TDesignDocument& document, QWidget* parent = nullptr);
    ~TDesignCanvas() override;

    // Drawn after the controls, before the selection; not owned.
    void SetOverlay(TCanvasOverlay* overlay);
    bool SnapToGrid() const { return FSnapToGrid; }
    void SetSnapToGrid(bool on);
    int GridStep() const { return FGridStep; }
    void SetGridStep(int step);

    // The designed control at a point of the canvas, topmost and deepest,
    // or the form.
    TComponent* ComponentAt(const QPoint& point) const;
    // Where a control lies on the canvas.
    static QRect RectOf(const TControl& control);
    // The guide lines shown while a drag snaps to other controls' edges.
    const std::optional<int>& GuideX() const { return FGuideX; }
    const std::optional<int>& GuideY() const { return FGuideY; }

    // The Edit menu's commands on the selection; the clipboard holds the
    // design JSON of the copied components.
    void CopySelection();
    void CutSelection();
    void Paste();
    void DuplicateSelection();
    void DeleteSelection();
    void SelectAll();
    void BringSelectionToFront();
    void SendSelectionToBack();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    enum class TState { Idle, Pressed, Moving, Resizing, Banding };
    // What a drag started from: each moved control and its bounds.
    struct TStart {
        TControl* Control;
        TRect Bounds;
    };

    void FormChanged();
    void Reset();
    using TMoving = std::unordered_set<const TControl*>;
    // The form and every control but the moving ones.
    void PaintStill(QPainter& painter, const QRegion& region, const TMoving* moving);
    // Pictures what stays put while a drag goes on, and what moves.
    void TakeStill();
    // Where the control's parent lets it show on the canvas.
    QRect ClipOf(const TControl& control) const;
    void PaintControls(QPainter& painter, const TWinControl& container, const QPoint& origin, const QRect& clip,
                       const QRegion& region, const TMoving* moving = nullptr);
    void PaintTree(QPainter& painter, TControl& control, const QPoint& origin, const QRect& clip,
                   const QRegion& region, const TMoving* moving = nullptr);
    void PaintControl(QPainter& painter, TControl& control, const QRect& area);
    void PaintSelection(QPainter& painter, const QRegion& region);
    void PaintGuides(QPainter& painter);

    std::vector<TControl*> SelectedControls() const;
    // The designed container at the point that accepts children, skipping
    // the controls being moved; the form when there is none.
    TWinControl& ContainerAt(const QPoint& point) const;
    // The handle (0..7, clockwise from top left) of a selected control
    // under the point.
    std::optional<std::pair<TControl*, int>> HandleAt(const QPoint& point) const;
    static std::vector<QRect> Handles(const QRect& rect);

    void StartMove();
    // Takes the edges of every control but the dragged ones for snapping.
    void PrepareSnap();
    void MoveTo(const QPoint& point);
    void ResizeTo(const QPoint& point);
    void FinishMove(const QPoint& point);
    void FinishBand(Qt::KeyboardModifiers modifiers);
    // The area the moved controls, their handles and the guides cover.
    QRect DragArea() const;
    void CancelDrag();

    TDesignDocument& FDocument;
    TCanvasOverlay* FOverlay = nullptr;
    bool FSnapToGrid = true;
    int FGridStep = 8;

    TState FState = TState::Idle;
    QPoint FPressAt;
    std::vector<TStart> FStarts;
    TRect FStartBox;  // of all moved controls, on the canvas
    TControl* FResized = nullptr;
    int FHandle = 0;
    QRect FBand;
    TSnapper FSnapper;
    std::optional<int> FGuideX;
    std::optional<int> FGuideY;
    TWinControl* FDropTarget = nullptr;
    QPixmap FStill;  // during a drag: all but the dragged controls
    QPixmap FMovingPicture;  // the moved controls, when they share a parent
    QPoint FMovedBy;

    // Qt's own widgets draw the desktop controls, as in the demo's window.
    std::unique_ptr<QLineEdit> FEditStamp;
    std::unique_ptr<QPushButton> FButtonStamp;
    std::unique_ptr<QToolButton> FToolStamp;
    // Pictures of the image controls, read once and dropped on every change
    // (a Src may have changed, or the control gone).
    std::unordered_map<const TQuillImage*, QImage> FPictures;
};

}  // namespace quill::studio
