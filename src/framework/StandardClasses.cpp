// The published properties of the framework's classes, in published order.
#include "framework/StandardClasses.h"

#include "framework/ClassBuilder.h"
#include "framework/Button.h"
#include "framework/Control.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/ImageList.h"
#include "framework/Label.h"
#include "framework/Panel.h"
#include "framework/ToolBar.h"
#include "framework/WinControl.h"

namespace quill {

const TEnumInfo& AlignType() {
    static const TEnumInfo info{"TAlign", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"}};
    return info;
}
const TEnumInfo& AlignmentType() {
    static const TEnumInfo info{"TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"}};
    return info;
}
const TEnumInfo& TextLayoutType() {
    static const TEnumInfo info{"TTextLayout", {"tlTop", "tlCenter", "tlBottom"}};
    return info;
}
const TEnumInfo& BevelCutType() {
    static const TEnumInfo info{"TBevelCut", {"bvNone", "bvLowered", "bvRaised", "bvSpace"}};
    return info;
}
const TEnumInfo& FontStyleType() {
    static const TEnumInfo info{"TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}};
    return info;
}

const TEnumInfo& ToolButtonStyleType() {
    static const TEnumInfo info{"TToolButtonStyle", {"tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator", "tbsDivider"}};
    return info;
}
const TEnumInfo& EdgeBorderType() {
    static const TEnumInfo info{"TEdgeBorder", {"ebLeft", "ebTop", "ebRight", "ebBottom"}};
    return info;
}

namespace {

template <class C>
void AddVisible(TClassBuilder<C>& b) {
    b.Bool("Visible", &C::Visible, &C::SetVisible, true);
}

// Events are public fields of type TNotifyEvent.
template <class C>
void AddNotify(TClassBuilder<C>& b, const std::string& name, TNotifyEvent C::*field) {
    b.template Event<TNotifyEvent>(
        name, "TNotifyEvent", [field](const C& c) -> const TNotifyEvent& { return c.*field; },
        [field](C& c, const TNotifyEvent& e) { c.*field = e; });
}

template <class C>
void AddAlign(TClassBuilder<C>& b) {
    b.template Enum<TAlign>("Align", AlignType(), &C::Align, &C::SetAlign, alNone);
}

template <class C>
void AddCaption(TClassBuilder<C>& b) {
    b.String("Caption", &C::Caption, &C::SetCaption);
}

// Colour and font are stored only where they are the control's own.
template <class C>
void AddColor(TClassBuilder<C>& b, std::optional<TColor> def) {
    b.ColorProp("Color", &C::Color, &C::SetColor, def).StoredWhen([](const C& c) { return !c.ParentColor(); });
}
template <class C>
void AddFont(TClassBuilder<C>& b) {
    b.Object("Font", "TFont", [](C& c) -> TFont& { return c.Font(); })
        .StoredWhen([](const C& c) { return !c.ParentFont(); });
}

}  // namespace

const TClassInfo& TComponent::StaticInfo() {
    static const TClassInfo info = TClassBuilder<TComponent>("TComponent", nullptr).Build();
    return info;
}

const TClassInfo& TFont::StaticInfo() {
    static const TClassInfo info = TClassBuilder<TFont>("TFont", nullptr)
                                       .ColorProp("Color", &TFont::Color, &TFont::SetColor)
                                       .Int("Height", &TFont::Height, &TFont::SetHeight)
                                       .StoredWhen([](const TFont&) { return false; })
                                       .String("Name", &TFont::Name, &TFont::SetName, true)
                                       .Int("Size", &TFont::Size, &TFont::SetSize)
                                       .SetOf<TFontStyle>("Style", FontStyleType(), &TFont::Style, &TFont::SetStyle)
                                       .Build();
    return info;
}

const TClassInfo& TControl::StaticInfo() {
    static const TClassInfo info = TClassBuilder<TControl>("TControl", &TComponent::StaticInfo())
                                       .IsControl()
                                       .Int("Left", &TControl::Left, &TControl::SetLeft)
                                       .Int("Top", &TControl::Top, &TControl::SetTop)
                                       .Int("Width", &TControl::Width, &TControl::SetWidth)
                                       .Int("Height", &TControl::Height, &TControl::SetHeight)
                                       .Build();
    return info;
}

const TClassInfo& TWinControl::StaticInfo() {
    static const TClassInfo info = TClassBuilder<TWinControl>("TWinControl", &TControl::StaticInfo()).Build();
    return info;
}

const TClassInfo& TLabel::StaticInfo() {
    static const TClassInfo info = [] {
        TClassBuilder<TLabel> b("TLabel", &TControl::StaticInfo());
        b.Creatable();
        AddAlign(b);
        b.Enum<TAlignment>("Alignment", AlignmentType(), &TLabel::Alignment, &TLabel::SetAlignment, taLeftJustify);
        b.Bool("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize, true);
        AddCaption(b);
        AddColor(b, std::nullopt);
        AddFont(b);
        b.Enum<TTextLayout>("Layout", TextLayoutType(), &TLabel::Layout, &TLabel::SetLayout, tlTop);
        b.Bool("ParentColor", &TLabel::ParentColor, &TLabel::SetParentColor, true);
        b.Bool("ParentFont", &TLabel::ParentFont, &TLabel::SetParentFont, true);
        b.Bool("Transparent", &TLabel::Transparent, &TLabel::SetTransparent, false);
        b.Bool("Visible", &TLabel::Visible, &TLabel::SetVisible, true);
        b.Bool("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap, false);
        return b.Build();
    }();
    return info;
}

const TClassInfo& TPanel::StaticInfo() {
    static const TClassInfo info = [] {
        TClassBuilder<TPanel> b("TPanel", &TWinControl::StaticInfo());
        b.Creatable().AcceptsChildren();
        AddAlign(b);
        b.Enum<TBevelCut>("BevelOuter", BevelCutType(), &TPanel::BevelOuter, &TPanel::SetBevelOuter, bvRaised);
        AddCaption(b);
        AddColor(b, clBtnFace);
        AddFont(b);
        b.Bool("ParentColor", &TPanel::ParentColor, &TPanel::SetParentColor, false);
        b.Bool("ParentFont", &TPanel::ParentFont, &TPanel::SetParentFont, true);
        b.Bool("Visible", &TPanel::Visible, &TPanel::SetVisible, true);
        b.Event<TNotifyEvent>("OnResize", "TNotifyEvent", [](const TPanel& p) -> const TNotifyEvent& { return p.OnResize(); },
                              [](TPanel& p, const TNotifyEvent& e) { p.SetOnResize(e); });
        return b.Build();
    }();
    return info;
}

const TClassInfo& TForm::StaticInfo() {
    static const TClassInfo info = [] {
        TClassBuilder<TForm> b("TForm", &TWinControl::StaticInfo());
        b.Creatable().AcceptsChildren();
        AddCaption(b);
        AddColor(b, clBtnFace);
        AddFont(b);
        return b.Build();
    }();
    return info;
}

const TClassInfo& TEdit::StaticInfo() {
    static const TClassInfo info = [] {
        TClassBuilder<TEdit> b("TEdit", &TWinControl::StaticInfo());
        b.Creatable();
        AddAlign(b);
        AddColor(b, clWindow);
        AddFont(b);
        b.Bool("ParentColor", &TEdit::ParentColor, &TEdit::SetParentColor, false);
        b.Bool("ParentFont", &TEdit::ParentFont, &TEdit::SetParentFont, true);
        b.String("Text", &TEdit::Text, &TEdit::SetText);
        AddVisible(b);
        AddNotify(b, "OnChange", &TEdit::OnChange);
        return b.Build();
    }();
    return info;
}

const TClassInfo& TButton::StaticInfo() {
    static const TClassInfo info = [] {
        TClassBuilder<TButton> b("TButton", &TWinControl::StaticInfo());
        b.Creatable();
        AddCaption(b);
        AddFont(b);
        b.Bool("ParentFont", &TButton::ParentFont, &TButton::SetParentFont, true);
        AddVisible(b);
        AddNotify(b, "OnClick", &TButton::OnClick);
        return b.Build();
    }();
    return info;
}

const TClassInfo& TToolBar::StaticInfo() {
    static const TClassInfo info = [] {
        TClassBuilder<TToolBar> b("TToolBar", &TWinControl::StaticInfo());
        b.Creatable().AcceptsChildren();
        AddAlign(b);
        b.Bool("AutoSize", &TToolBar::AutoSize, &TToolBar::SetAutoSize, false);
        b.Int("ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight, 22);
        b.Int("ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth, 23);
        b.SetOf<TEdgeBorder>("EdgeBorders", EdgeBorderType(), &TToolBar::EdgeBorders, &TToolBar::SetEdgeBorders);
        b.Bool("Flat", &TToolBar::Flat, &TToolBar::SetFlat, false);
        b.Reference<TImageList>("Images", "TImageList", &TToolBar::Images, &TToolBar::SetImages);
        AddVisible(b);
        b.Bool("Wrapable", &TToolBar::Wrapable, &TToolBar::SetWrapable, true);
        return b.Build();
    }();
    return info;
}

const TClassInfo& TToolButton::StaticInfo() {
    static const TClassInfo info = [] {
        TClassBuilder<TToolButton> b("TToolButton", &TControl::StaticInfo());
        b.Creatable();
        b.Bool("Down", &TToolButton::Down, &TToolButton::SetDown, false);
        b.Int("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex, -1);
        b.Enum<TToolButtonStyle>("Style", ToolButtonStyleType(), &TToolButton::Style, &TToolButton::SetStyle, tbsButton);
        AddVisible(b);
        AddNotify(b, "OnClick", &TToolButton::OnClick);
        return b.Build();
    }();
    return info;
}

const TClassInfo& TImageList::StaticInfo() {
    static const TClassInfo info = TClassBuilder<TImageList>("TImageList", &TComponent::StaticInfo())
                                       .Creatable()
                                       .DesignPosition()
                                       .Int("Height", &TImageList::Height, &TImageList::SetHeight, 16)
                                       .Int("Width", &TImageList::Width, &TImageList::SetWidth, 16)
                                       .String("Bitmap", &TImageList::Bitmap, &TImageList::SetBitmap)
                                       .Build();
    return info;
}

void RegisterStandardClasses() {
    RegisterDesignClass(TLabel::StaticInfo());
    RegisterDesignClass(TPanel::StaticInfo());
    RegisterDesignClass(TForm::StaticInfo());
    RegisterDesignClass(TEdit::StaticInfo());
    RegisterDesignClass(TButton::StaticInfo());
    RegisterDesignClass(TToolBar::StaticInfo());
    RegisterDesignClass(TToolButton::StaticInfo());
    RegisterDesignClass(TImageList::StaticInfo());
}

}  // namespace quill
