#pragma once

#include <memory>
#include <string>

#include "framework/Color.h"
#include "framework/Component.h"
#include "framework/Event.h"
#include "framework/Font.h"
#include "framework/Saturate.h"

namespace quill {

class TWinControl;
class TControl;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const TRect&) const = default;
};

// What changed on a control, as a window system showing it needs to know.
enum class TControlChange { Bounds, Text, Color, Font, Visible, State, Destroyed };

// Shows one control on screen. The control tells its view of every change;
// the view does not own the control and must drop it on Destroyed.
class TControlView {
public:
    virtual void ControlChanged(TControl& control, TControlChange change) = 0;

protected:
    ~TControlView() = default;
};

// A visual component placed in a parent's client area.
class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    std::string ClassName() const override { return "TControl"; }
    bool HearsSiblings() const override { return false; }
    static const TClassInfo& StaticInfo();
    const TClassInfo* PublishedInfo() const override { return &StaticInfo(); }

    TControl* AsControl() override { return this; }
    const TControl* AsControl() const override { return this; }
    // The control as a container, or null.
    virtual TWinControl* AsWinControl() { return nullptr; }
    virtual const TWinControl* AsWinControl() const { return nullptr; }

    TWinControl* Parent() const { return FParent; }
    // Raises Exception when `parent` is this control or lies inside it.
    void SetParent(TWinControl* parent);
    // True when `control` is this one or sits anywhere below it.
    bool IsAncestorOf(const TControl& control) const;

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int value) { ChangeBounds(value, FTop, FWidth, FHeight); }
    void SetTop(int value) { ChangeBounds(FLeft, value, FWidth, FHeight); }
    void SetWidth(int value) { ChangeBounds(FLeft, FTop, value, FHeight); }
    void SetHeight(int value) { ChangeBounds(FLeft, FTop, FWidth, value); }
    TRect BoundsRect() const { return {FLeft, FTop, SaturatedAdd(FLeft, FWidth), SaturatedAdd(FTop, FHeight)}; }
    virtual void ChangeBounds(int left, int top, int width, int height);
    // The area children are placed in, in the control's own coordinates.
    virtual int ClientWidth() const { return FWidth; }
    virtual int ClientHeight() const { return FHeight; }

    bool Visible() const { return FVisible; }
    void SetVisible(bool visible);

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign align);
    // Runs whenever the control's alignment has to be recomputed.
    virtual void AlignmentRequested();

    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool value);

    TFont& Font() { return FFont; }
    const TFont& Font() const { return FFont; }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool value);

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& caption);

    bool AutoSize() const { return FAutoSize; }
    // Stores the flag and, when it is switched on, adjusts the size.
    virtual void SetAutoSize(bool value);
    // The size the control would take by itself; false when it has none.
    virtual bool QueryAutoSize(int& width, int& height);
    // Adjusts the size to the content when auto-size is on.
    virtual void FitSize();

    // Made when first set: few controls have a handler.
    const TNotifyEvent& OnResize() const;
    void SetOnResize(const TNotifyEvent& handler);

    // At most one view; null detaches it.
    TControlView* View() const { return FView; }
    void SetView(TControlView* view) { FView = view; }

    // Called by the parent when its colour or font changed.
    void ParentColorChanged();
    void ParentFontChanged();

protected:
    // Sent after the colour or the caption really changed.
    virtual void ColorChangedNotification();
    virtual void TextChangedNotification() {}
    virtual void FontChangedNotification() {}
    virtual void Resized();
    // Tells the view, if any, what changed.
    void NotifyView(TControlChange change);

private:
    friend class TWinControl;
    void SetColorValue(TColor color, bool keepParentColor);
    void FontChanged();

    TWinControl* FParent = nullptr;
    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    bool FVisible = true;
    TAlign FAlign = alNone;
    TColor FColor = clWindow;
    bool FParentColor = true;
    TFont FFont;
    bool FParentFont = true;
    bool FFontFromParent = false;
    std::string FCaption;
    bool FAutoSize = false;
    TControlView* FView = nullptr;
    std::unique_ptr<TNotifyEvent> FOnResize;
};

}  // namespace quill
