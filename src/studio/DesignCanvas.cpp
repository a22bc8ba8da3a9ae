#include "studio/DesignCanvas.h"

#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <unordered_set>

#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Exception.h"
#include "framework/Label.h"
#include "framework/Shape.h"
#include "framework/ToolBar.h"
#include "qtbridge/ControlPainter.h"
#include "qtbridge/QtPalette.h"
#include "studio/DesignDocument.h"

namespace quill::studio {

using qtbridge::ToQFont;
using qtbridge::ToQString;

namespace {

bool IsDesigned(const TForm& form, const TComponent& component) { return component.Owner() == &form; }

bool AcceptsChildren(const TControl& control) { return control.PublishedInfo()->AcceptsChildren && control.AsWinControl(); }

TRect ToTRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

TRect Union(const TRect& a, const TRect& b) {
    return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom)};
}

// Draws a desktop control through the Qt widget that shows it in the demo.
void PaintStamp(QPainter& painter, QWidget& stamp, const TControl& control, const QRect& area) {
    stamp.setFont(ToQFont(control.Font()));
    stamp.resize(area.size());
    stamp.render(&painter, area.topLeft());
}

const QColor kSelection(0, 120, 215);
const QColor kGuide(230, 0, 140);

}  // namespace

TDesignCanvas::TDesignCanvas(TDesignDocument& document, QWidget* parent)
    : QWidget(parent),
      FDocument(document),
      FEditStamp(std::make_unique<QLineEdit>()),
      FButtonStamp(std::make_unique<QPushButton>()),
      FToolStamp(std::make_unique<QToolButton>()) {
    setObjectName("DesignCanvas");
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAcceptDrops(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    for (QWidget* stamp : {static_cast<QWidget*>(FEditStamp.get()), static_cast<QWidget*>(FButtonStamp.get()),
                           static_cast<QWidget*>(FToolStamp.get())}) {
        stamp->setAttribute(Qt::WA_DontShowOnScreen);
        stamp->ensurePolished();
    }
    connect(&document, &TDesignDocument::Changed, this, &TDesignCanvas::FormChanged);
    connect(&document, &TDesignDocument::FormReplaced, this, &TDesignCanvas::FormChanged);
    connect(&document, &TDesignDocument::SelectionChanged, this, qOverload<>(&QWidget::update));
    FormChanged();
}

TDesignCanvas::~TDesignCanvas() = default;

void TDesignCanvas::SetOverlay(TCanvasOverlay* overlay) {
    FOverlay = overlay;
    update();
}

void TDesignCanvas::SetSnapToGrid(bool on) {
    FSnapToGrid = on;
    update();
}

void TDesignCanvas::SetGridStep(int step) {
    FGridStep = std::max(1, step);
    update();
}

QSize TDesignCanvas::sizeHint() const {
    const TForm& form = FDocument.Form();
    return {std::max(1, form.ClientWidth()), std::max(1, form.ClientHeight())};
}

void TDesignCanvas::FormChanged() {
    // Whatever a drag held on to may be gone.
    if (FState != TState::Idle) Reset();
    FPictures.clear();
    setFixedSize(sizeHint());
    update();
}

void TDesignCanvas::Reset() {
    FState = TState::Idle;
    FStill = QPixmap();
    FMovingPicture = QPixmap();
    FMovedBy = QPoint();
    FStarts.clear();
    FResized = nullptr;
    FDropTarget = nullptr;
    FGuideX.reset();
    FGuideY.reset();
    FBand = {};
}

QRect TDesignCanvas::RectOf(const TControl& control) {
    return {ClientOrigin(control), QSize(control.Width(), control.Height())};
}

// Painting.

void TDesignCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // The region, not its bounding box: a drag's guide lines reach across
    // the whole canvas, but only thin strips of it need painting.
    const QRegion& region = event->region();
    if (FStill.isNull()) {
        PaintStill(painter, region, nullptr);
    } else {
        // During a drag what stays put comes from the picture taken when
        // it started; only the dragged controls are drawn again.
        for (const QRect& part : region) painter.drawPixmap(part, FStill, part);
        if (!FMovingPicture.isNull()) {
            painter.save();
            painter.setClipRect(ClipOf(*FStarts.front().Control), Qt::IntersectClip);
            painter.drawPixmap(QPoint(FStartBox.Left, FStartBox.Top) + FMovedBy, FMovingPicture);
            painter.restore();
        } else {
            for (const TStart& s : FStarts)
                PaintTree(painter, *s.Control, ClientOrigin(*s.Control->Parent()), ClipOf(*s.Control), region);
        }
    }
    if (FOverlay) {
        painter.save();
        FOverlay->Paint(painter, FDocument.Form());
        painter.restore();
    }
    PaintSelection(painter, region);
    PaintGuides(painter);
}

void TDesignCanvas::PaintStill(QPainter& painter, const QRegion& region, const TMoving* moving) {
    TForm& form = FDocument.Form();
    qtbridge::PaintBackground(painter, form, rect());
    if (FSnapToGrid && FGridStep >= 4) {
        QPolygon dots;
        for (const QRect& part : region)
            for (int y = (part.top() + FGridStep - 1) / FGridStep * FGridStep; y <= part.bottom(); y += FGridStep)
                for (int x = (part.left() + FGridStep - 1) / FGridStep * FGridStep; x <= part.right(); x += FGridStep)
                    dots << QPoint(x, y);
        painter.setPen(qtbridge::ToQColor(form.Color()).darker(130));
        painter.drawPoints(dots);
    }
    PaintControls(painter, form, QPoint(0, 0), rect(), region, moving);
}

void TDesignCanvas::TakeStill() {
    TMoving moving;
    for (const TStart& s : FStarts) moving.insert(s.Control);
    const qreal ratio = devicePixelRatioF();
    FStill = QPixmap(size() * ratio);
    FStill.setDevicePixelRatio(ratio);
    QPainter painter(&FStill);
    PaintStill(painter, QRegion(rect()), &moving);
    // Controls moved together within one parent move as one picture.
    const TWinControl* parent = FStarts.empty() ? nullptr : FStarts.front().Control->Parent();
    for (const TStart& s : FStarts)
        if (s.Control->Parent() != parent) parent = nullptr;
    if (FState != TState::Moving || !parent) return;
    const QRect box(FStartBox.Left, FStartBox.Top, FStartBox.Right - FStartBox.Left, FStartBox.Bottom - FStartBox.Top);
    FMovingPicture = QPixmap(box.size() * ratio);
    FMovingPicture.setDevicePixelRatio(ratio);
    FMovingPicture.fill(Qt::transparent);
    QPainter moved(&FMovingPicture);
    moved.translate(-box.topLeft());
    for (const TStart& s : FStarts) PaintTree(moved, *s.Control, ClientOrigin(*parent), box, QRegion(box));
}

QRect TDesignCanvas::ClipOf(const TControl& control) const {
    const TWinControl* parent = control.Parent();
    return parent == &FDocument.Form() ? rect() : RectOf(*parent) & rect();
}

void TDesignCanvas::PaintControls(QPainter& painter, const TWinControl& container, const QPoint& origin,
                                  const QRect& clip, const QRegion& region, const TMoving* moving) {
    for (int i = 0; i < container.ControlCount(); ++i) {
        TControl& control = *container.Controls(i);
        if (!moving || !moving->count(&control)) PaintTree(painter, control, origin, clip, region, moving);
    }
}

void TDesignCanvas::PaintTree(QPainter& painter, TControl& control, const QPoint& origin, const QRect& clip,
                              const QRegion& region, const TMoving* moving) {
    if (!control.Visible()) return;
    const QRect area(origin + QPoint(control.Left(), control.Top()), QSize(control.Width(), control.Height()));
    const QRect shown = area & clip;
    if (shown.isEmpty() || !region.intersects(shown)) return;
    painter.save();
    painter.setClipRect(shown, Qt::IntersectClip);
    painter.translate(area.topLeft());
    PaintControl(painter, control, QRect(QPoint(0, 0), area.size()));
    painter.restore();
    if (const TWinControl* inner = control.AsWinControl())
        PaintControls(painter, *inner, area.topLeft(), shown, region, moving);
}

void TDesignCanvas::PaintControl(QPainter& painter, TControl& control, const QRect& area) {
    if (auto* edit = dynamic_cast<TEdit*>(&control)) {
        FEditStamp->setText(ToQString(edit->Caption()));
        PaintStamp(painter, *FEditStamp, control, area);
    } else if (auto* button = dynamic_cast<TButton*>(&control)) {
        FButtonStamp->setText(ToQString(button->Caption()));
        PaintStamp(painter, *FButtonStamp, control, area);
    } else if (dynamic_cast<TToolButton*>(&control)) {
        PaintStamp(painter, *FToolStamp, control, area);
    } else if (auto* label = dynamic_cast<TLabel*>(&control)) {
        qtbridge::PaintLabel(painter, *label, area);
    } else if (auto* shape = dynamic_cast<TShape*>(&control)) {
        qtbridge::PaintShape(painter, *shape, area);
    } else if (auto* image = dynamic_cast<TQuillImage*>(&control)) {
        auto found = FPictures.find(image);
        if (found == FPictures.end()) found = FPictures.emplace(image, qtbridge::LoadPicture(*image)).first;
        qtbridge::PaintImage(painter, *image, found->second, area);
    } else if (control.AsWinControl()) {
        qtbridge::PaintBackground(painter, control, area);
    }
}

std::vector<QRect> TDesignCanvas::Handles(const QRect& r) {
    const int h = kHandleSize;
    const int l = r.left() - h / 2, t = r.top() - h / 2;
    const int cx = r.left() + r.width() / 2 - h / 2, cy = r.top() + r.height() / 2 - h / 2;
    const int rx = r.left() + r.width() - h / 2, by = r.top() + r.height() - h / 2;
    return {QRect(l, t, h, h),   QRect(cx, t, h, h),  QRect(rx, t, h, h), QRect(rx, cy, h, h),
            QRect(rx, by, h, h), QRect(cx, by, h, h), QRect(l, by, h, h), QRect(l, cy, h, h)};
}

void TDesignCanvas::PaintSelection(QPainter& painter, const QRegion& region) {
    painter.setBrush(Qt::NoBrush);
    if (FDropTarget && FDropTarget != &FDocument.Form()) {
        painter.setPen(QPen(kSelection, 2, Qt::DashLine));
        painter.drawRect(RectOf(*FDropTarget).adjusted(1, 1, -1, -1));
    }
    // All frames in one call and all handles in another: a selection of
    // a thousand controls costs two calls, not nine thousand.
    QVector<QRect> frames, handles;
    for (TControl* control : SelectedControls()) {
        const QRect r = RectOf(*control);
        if (!region.intersects(r.adjusted(-kHandleSize, -kHandleSize, kHandleSize, kHandleSize))) continue;
        frames << r.adjusted(0, 0, -1, -1);
        // While the selection moves its handles would only flicker.
        if (FState == TState::Moving) continue;
        for (const QRect& handle : Handles(r)) handles << handle.adjusted(0, 0, -1, -1);
    }
    painter.setPen(QColor(kSelection.red(), kSelection.green(), kSelection.blue(), 128));
    painter.drawRects(frames);
    painter.setPen(kSelection);
    painter.setBrush(Qt::white);
    painter.drawRects(handles);
    if (FState == TState::Banding && !FBand.isEmpty()) {
        painter.setPen(QPen(kSelection, 1, Qt::DashLine));
        painter.setBrush(QColor(0, 120, 215, 40));
        painter.drawRect(FBand.normalized());
    }
}

void TDesignCanvas::PaintGuides(QPainter& painter) {
    painter.setPen(QPen(kGuide, 1));
    if (FGuideX) painter.drawLine(*FGuideX, 0, *FGuideX, height());
    if (FGuideY) painter.drawLine(0, *FGuideY, width(), *FGuideY);
}

// Finding things.

std::vector<TControl*> TDesignCanvas::SelectedControls() const {
    std::vector<TControl*> controls;
    for (TComponent* c : FDocument.Selection())
        if (TControl* control = c->AsControl(); control && c != &FDocument.Form()) controls.push_back(control);
    return controls;
}

TComponent* TDesignCanvas::ComponentAt(const QPoint& point) const {
    const TForm& form = FDocument.Form();
    TComponent* found = const_cast<TForm*>(&form);
    const TWinControl* container = &form;
    QPoint origin;
    // Topmost first; descend into the hit control while it holds children.
    while (container) {
        const TWinControl* next = nullptr;
        for (int i = container->ControlCount(); i-- > 0;) {
            TControl* c = container->Controls(i);
            if (!c->Visible()) continue;
            const QRect area(origin + QPoint(c->Left(), c->Top()), QSize(c->Width(), c->Height()));
            if (!area.contains(point)) continue;
            if (!IsDesigned(form, *c)) return found;
            found = c;
            if (AcceptsChildren(*c)) {
                next = c->AsWinControl();
                origin = area.topLeft();
            }
            break;
        }
        container = next;
    }
    return found;
}

TWinControl& TDesignCanvas::ContainerAt(const QPoint& point) const {
    TForm& form = FDocument.Form();
    std::unordered_set<const TControl*> moving;
    for (const TStart& s : FStarts) moving.insert(s.Control);
    TWinControl* found = &form;
    QPoint origin;
    for (bool deeper = true; deeper;) {
        deeper = false;
        for (int i = found->ControlCount(); i-- > 0;) {
            TControl* c = found->Controls(i);
            if (!c->Visible() || moving.count(c) || !IsDesigned(form, *c) || !AcceptsChildren(*c)) continue;
            const QRect area(origin + QPoint(c->Left(), c->Top()), QSize(c->Width(), c->Height()));
            if (!area.contains(point)) continue;
            found = c->AsWinControl();
            origin = area.topLeft();
            deeper = true;
            break;
        }
    }
    return *found;
}

std::optional<std::pair<TControl*, int>> TDesignCanvas::HandleAt(const QPoint& point) const {
    for (TControl* control : SelectedControls()) {
        const std::vector<QRect> handles = Handles(RectOf(*control));
        for (int i = 0; i < static_cast<int>(handles.size()); ++i)
            if (handles[static_cast<size_t>(i)].adjusted(-1, -1, 1, 1).contains(point)) return std::make_pair(control, i);
    }
    return std::nullopt;
}

// The mouse.

void TDesignCanvas::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton || FState != TState::Idle) return;
    const QPoint point = event->position().toPoint();
    FPressAt = point;
    if (auto handle = HandleAt(point)) {
        FState = TState::Resizing;
        FResized = handle->first;
        FHandle = handle->second;
        FStarts = {{FResized, FResized->BoundsRect()}};
        FStartBox = ToTRect(RectOf(*FResized));
        PrepareSnap();
        TakeStill();
        return;
    }
    TComponent* hit = ComponentAt(point);
    if (hit == &FDocument.Form()) {
        FState = TState::Banding;
        FBand = QRect(point, QSize(0, 0));
        return;
    }
    std::vector<TComponent*> selection = FDocument.Selection();
    std::erase(selection, static_cast<TComponent*>(&FDocument.Form()));
    const bool toggle = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier);
    const auto at = std::find(selection.begin(), selection.end(), hit);
    const bool wasSelected = at != selection.end();
    if (toggle) {
        if (wasSelected)
            selection.erase(at);
        else
            selection.push_back(hit);
        FDocument.Select(selection);
        // A control just taken out of the selection is not dragged.
        if (wasSelected) return;
    } else if (!wasSelected) {
        FDocument.Select({hit});
    }
    FState = TState::Pressed;
}

void TDesignCanvas::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    switch (FState) {
    case TState::Idle: {
        static const Qt::CursorShape shapes[] = {Qt::SizeFDiagCursor, Qt::SizeVerCursor, Qt::SizeBDiagCursor,
                                                 Qt::SizeHorCursor,   Qt::SizeFDiagCursor, Qt::SizeVerCursor,
                                                 Qt::SizeBDiagCursor, Qt::SizeHorCursor};
        auto handle = HandleAt(point);
        setCursor(handle ? shapes[handle->second] : Qt::ArrowCursor);
        break;
    }
    case TState::Pressed:
        if ((point - FPressAt).manhattanLength() >= 3) {
            StartMove();
            MoveTo(point);
        }
        break;
    case TState::Moving:
        MoveTo(point);
        break;
    case TState::Resizing:
        ResizeTo(point);
        break;
    case TState::Banding: {
        const QRect old = FBand.normalized();
        FBand.setBottomRight(point);
        update((old | FBand.normalized()).adjusted(-2, -2, 2, 2));
        break;
    }
    }
}

void TDesignCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint point = event->position().toPoint();
    switch (FState) {
    case TState::Pressed: {
        // A plain click in a group picks one of it.
        TComponent* hit = ComponentAt(point);
        if (!(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) && FDocument.Selection().size() > 1)
            FDocument.Select({hit});
        Reset();
        break;
    }
    case TState::Moving:
        FinishMove(point);
        break;
    case TState::Resizing: {
        ResizeTo(point);
        std::vector<TBoundsChange> changes{{FResized, FStarts.front().Bounds}};
        Reset();
        FDocument.CommitBounds(changes, tr("Resize"));
        update();
        break;
    }
    case TState::Banding:
        FinishBand(event->modifiers());
        break;
    case TState::Idle:
        break;
    }
}

void TDesignCanvas::StartMove() {
    FState = TState::Moving;
    FStarts.clear();
    std::unordered_set<const TControl*> selected;
    for (TControl* c : SelectedControls()) selected.insert(c);
    bool first = true;
    for (TControl* c : SelectedControls()) {
        bool inside = false;
        for (const TControl* p = c->Parent(); p && !inside; p = p->Parent()) inside = selected.count(p) > 0;
        if (inside) continue;
        FStarts.push_back({c, c->BoundsRect()});
        const TRect r = ToTRect(RectOf(*c));
        FStartBox = first ? r : Union(FStartBox, r);
        first = false;
    }
    PrepareSnap();
    TakeStill();
}

void TDesignCanvas::PrepareSnap() {
    // The edges of everything that stays put, found once per drag.
    std::vector<int> xs{0, width()}, ys{0, height()};
    std::unordered_set<const TControl*> moving;
    for (const TStart& s : FStarts) moving.insert(s.Control);
    const TForm& form = FDocument.Form();
    std::vector<std::pair<const TWinControl*, QPoint>> open{{&form, QPoint()}};
    while (!open.empty()) {
        auto [container, origin] = open.back();
        open.pop_back();
        for (int i = 0; i < container->ControlCount(); ++i) {
            const TControl* c = container->Controls(i);
            if (!c->Visible() || moving.count(c) || !IsDesigned(form, *c)) continue;
            const QPoint at = origin + QPoint(c->Left(), c->Top());
            xs.insert(xs.end(), {at.x(), at.x() + c->Width()});
            ys.insert(ys.end(), {at.y(), at.y() + c->Height()});
            if (AcceptsChildren(*c)) open.push_back({c->AsWinControl(), at});
        }
    }
    FSnapper.SetEdges(std::move(xs), std::move(ys));
    FSnapper.SetGrid(FSnapToGrid ? FGridStep : 0);
}

QRect TDesignCanvas::DragArea() const {
    const int margin = kHandleSize;
    QRect area;
    for (const TStart& s : FStarts) area |= RectOf(*s.Control).adjusted(-margin, -margin, margin, margin);
    if (FGuideX) area |= QRect(*FGuideX - 1, 0, 3, height());
    if (FGuideY) area |= QRect(0, *FGuideY - 1, width(), 3);
    // The form is never framed as a target: a step over it repaints little.
    if (FDropTarget && FDropTarget != &FDocument.Form()) area |= RectOf(*FDropTarget).adjusted(-2, -2, 2, 2);
    return area;
}

void TDesignCanvas::MoveTo(const QPoint& point) {
    const QRect before = DragArea();
    const QPoint delta = point - FPressAt;
    TRect box = FStartBox;
    box = {box.Left + delta.x(), box.Top + delta.y(), box.Right + delta.x(), box.Bottom + delta.y()};
    const TSnapper::TMove snap = FSnapper.Snap(box);
    const int dx = delta.x() + snap.Dx, dy = delta.y() + snap.Dy;
    FMovedBy = QPoint(dx, dy);
    for (const TStart& s : FStarts)
        s.Control->ChangeBounds(s.Bounds.Left + dx, s.Bounds.Top + dy, s.Bounds.Right - s.Bounds.Left,
                                s.Bounds.Bottom - s.Bounds.Top);
    FGuideX = snap.GuideX;
    FGuideY = snap.GuideY;
    TWinControl& target = ContainerAt(point);
    FDropTarget = &target;
    update(before | DragArea());
}

void TDesignCanvas::ResizeTo(const QPoint& point) {
    const QRect before = DragArea();
    const TRect start = FStartBox;
    TRect box = start;
    std::optional<int> guideX, guideY;
    const bool left = FHandle == 0 || FHandle == 6 || FHandle == 7;
    const bool right = FHandle >= 2 && FHandle <= 4;
    const bool top = FHandle <= 2;
    const bool bottom = FHandle >= 4 && FHandle <= 6;
    if (left) box.Left = std::min(FSnapper.SnapX(point.x(), guideX), box.Right - 1);
    if (right) box.Right = std::max(FSnapper.SnapX(point.x(), guideX), box.Left + 1);
    if (top) box.Top = std::min(FSnapper.SnapY(point.y(), guideY), box.Bottom - 1);
    if (bottom) box.Bottom = std::max(FSnapper.SnapY(point.y(), guideY), box.Top + 1);
    const TRect& b = FStarts.front().Bounds;
    FResized->ChangeBounds(b.Left + box.Left - start.Left, b.Top + box.Top - start.Top, box.Right - box.Left,
                           box.Bottom - box.Top);
    FGuideX = guideX;
    FGuideY = guideY;
    update(before | DragArea());
}

void TDesignCanvas::FinishMove(const QPoint& point) {
    MoveTo(point);
    TWinControl* target = FDropTarget;
    std::vector<TBoundsChange> changes;
    std::vector<TComponent*> moved;
    bool reparent = false;
    for (const TStart& s : FStarts) {
        changes.push_back({s.Control, s.Bounds});
        moved.push_back(s.Control);
        reparent = reparent || (target && s.Control->Parent() != target && !s.Control->IsAncestorOf(*target));
    }
    Reset();
    if (reparent) {
        FDocument.UndoStack().beginMacro(tr("Move into %1").arg(ToQString(target->Name())));
        FDocument.CommitBounds(changes, tr("Move"));
        FDocument.Reparent(moved, *target);
        FDocument.UndoStack().endMacro();
    } else {
        FDocument.CommitBounds(changes, tr("Move"));
    }
    update();
}

void TDesignCanvas::FinishBand(Qt::KeyboardModifiers modifiers) {
    const QRect band = FBand.normalized();
    Reset();
    const TForm& form = FDocument.Form();
    std::vector<TComponent*> selection;
    if (modifiers & (Qt::ShiftModifier | Qt::ControlModifier)) selection = FDocument.Selection();
    std::erase(selection, static_cast<const TComponent*>(&form));
    for (int i = 0; i < form.ControlCount(); ++i) {
        TControl* c = form.Controls(i);
        if (!c->Visible() || !IsDesigned(form, *c) || !RectOf(*c).intersects(band.adjusted(0, 0, 1, 1))) continue;
        if (std::find(selection.begin(), selection.end(), c) == selection.end()) selection.push_back(c);
    }
    if (selection.empty()) selection.push_back(&FDocument.Form());
    FDocument.Select(selection);
    update();
}

void TDesignCanvas::CancelDrag() {
    for (const TStart& s : FStarts)
        s.Control->ChangeBounds(s.Bounds.Left, s.Bounds.Top, s.Bounds.Right - s.Bounds.Left, s.Bounds.Bottom - s.Bounds.Top);
    Reset();
    update();
}

// The keyboard.

void TDesignCanvas::keyPressEvent(QKeyEvent* event) {
    const int step = event->modifiers() & Qt::ShiftModifier ? FGridStep : 1;
    switch (event->key()) {
    case Qt::Key_Left:
        FDocument.MoveBy(FDocument.Selection(), -step, 0);
        break;
    case Qt::Key_Right:
        FDocument.MoveBy(FDocument.Selection(), step, 0);
        break;
    case Qt::Key_Up:
        FDocument.MoveBy(FDocument.Selection(), 0, -step);
        break;
    case Qt::Key_Down:
        FDocument.MoveBy(FDocument.Selection(), 0, step);
        break;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        DeleteSelection();
        break;
    case Qt::Key_Escape:
        if (FState == TState::Moving || FState == TState::Resizing) CancelDrag();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

// The Edit menu.

void TDesignCanvas::CopySelection() {
    const std::string text = FDocument.CopyText(FDocument.Selection());
    if (text.empty()) return;
    auto* data = new QMimeData;
    data->setData(kDesignMime, QByteArray::fromStdString(text));
    data->setText(QString::fromStdString(text));
    QApplication::clipboard()->setMimeData(data);
}

void TDesignCanvas::CutSelection() {
    CopySelection();
    FDocument.Cut(FDocument.Selection());
}

void TDesignCanvas::Paste() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data) return;
    const QByteArray text = data->hasFormat(kDesignMime) ? data->data(kDesignMime) : data->text().toUtf8();
    if (text.isEmpty()) return;
    // Into the one selected container, else beside the first selected control.
    TWinControl* parent = &FDocument.Form();
    const std::vector<TControl*> selected = SelectedControls();
    if (selected.size() == 1 && AcceptsChildren(*selected.front()))
        parent = selected.front()->AsWinControl();
    else if (!selected.empty() && selected.front()->Parent())
        parent = selected.front()->Parent();
    FDocument.Paste(text.toStdString(), *parent, FGridStep);
}

void TDesignCanvas::DuplicateSelection() { FDocument.Duplicate(FDocument.Selection()); }
void TDesignCanvas::DeleteSelection() { FDocument.Delete(FDocument.Selection()); }

void TDesignCanvas::SelectAll() {
    std::vector<TComponent*> all;
    const TForm& form = FDocument.Form();
    for (int i = 0; i < form.ControlCount(); ++i)
        if (IsDesigned(form, *form.Controls(i))) all.push_back(form.Controls(i));
    FDocument.Select(all);
}

void TDesignCanvas::BringSelectionToFront() { FDocument.BringToFront(FDocument.Selection()); }
void TDesignCanvas::SendSelectionToBack() { FDocument.SendToBack(FDocument.Selection()); }

// Drops from the palette.

void TDesignCanvas::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasFormat(kClassMime)) event->acceptProposedAction();
}

void TDesignCanvas::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData()->hasFormat(kClassMime)) event->acceptProposedAction();
}

void TDesignCanvas::dropEvent(QDropEvent* event) {
    const std::string name = event->mimeData()->data(kClassMime).toStdString();
    const TClassInfo* info = FindDesignClass(name);
    if (!info || !info->Create) return;
    const QPoint point = event->position().toPoint();
    TWinControl& parent = ContainerAt(point);
    QPoint at = point - ClientOrigin(parent);
    if (FSnapToGrid) at = QPoint(at.x() / FGridStep * FGridStep, at.y() / FGridStep * FGridStep);
    try {
        FDocument.Add(*info, parent, at.x(), at.y());
        event->acceptProposedAction();
    } catch (const Exception&) {
        event->ignore();
    }
}

}  // namespace quill::studio
