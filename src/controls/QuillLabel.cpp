#include "controls/QuillLabel.h"

#include <typeinfo>

#include "framework/ClassBuilder.h"
#include "framework/StandardClasses.h"
#include "markup/HtmlText.h"

namespace quill {

namespace {

TTextLayout LayoutFor(THtmlAlignV align) {
    switch (align) {
    case vaTop:
        return tlTop;
    case vaBottom:
        return tlBottom;
    case vaMiddle:
    case vaDefault:
        break;
    }
    return tlCenter;
}

TAlignment AlignmentFor(THtmlAlignH align) {
    switch (align) {
    case haCenter:
        return taCenter;
    case haRight:
        return taRightJustify;
    case haLeft:
    case haDefault:
        break;
    }
    return taLeftJustify;
}

}  // namespace

TQuillLabel::TQuillLabel(TComponent* owner) : TQuillWrappedControl(owner), FInnerLabel(new TLabel(this)) {
    FInnerLabel->SetParent(this);
    FInnerLabel->SetTransparent(true);
    FInnerLabel->SetWordWrap(false);
    SetInnerControl(FInnerLabel);
    SetInnerAutoSize(true);
    // Written directly: the framework's own flag stays off until changed.
    StoreAutoSize(true);
}

void TQuillLabel::ChangeAutoSize(bool value) {
    TQuillWrappedControl::ChangeAutoSize(value);
    FInnerLabel->SetWordWrap(!AutoSize());
}

void TQuillLabel::ApplyCellFormat() {
    TQuillWrappedControl::ApplyCellFormat();
    FInnerLabel->SetLayout(LayoutFor(CellFormat().AlignV()));
    FInnerLabel->SetAlignment(AlignmentFor(CellFormat().AlignH()));
}

void TQuillLabel::SetPlainText(bool value) {
    FPlainText = value;
    UpdatePlainContent();
}

void TQuillLabel::TextChanged() {
    TQuillWrappedControl::TextChanged();
    UpdatePlainContent();
}

// The screen shows the caption itself either way, so sizing is the same:
// only the page's text changes.
void TQuillLabel::UpdatePlainContent() {
    if (FPlainText && NeedsHtmlText(Caption()))
        FPlainContent = HtmlText(Caption());
    else
        std::string().swap(FPlainContent);
}

std::string_view TQuillLabel::CellContent() const {
    if (FPlainText && !FPlainContent.empty()) return FPlainContent;
    return Caption();
}

// Its cell is made by the steps it inherits.
bool TQuillLabel::OwnCellSteps() const { return typeid(*this) == typeid(TQuillLabel); }

const TClassInfo& TQuillLabel::StaticInfo() {
    using C = TQuillLabel;
    static const TClassInfo info =
        TClassBuilder<C>("TQuillLabel", &TQuillCustomControl::StaticInfo())
            .Creatable()
            .Enum<TAlign>("Align", AlignType(), &C::Align, &C::SetAlign, alNone)
            .Bool("AutoSize", [](const C& c) { return c.AutoSize(); }, &C::ChangeAutoSize, true)
            .String("Caption", &C::Caption, &C::SetCaption)
            .Object("CellFormat", "THtmlTableDataProperty", [](C& c) -> TPersistent& { return c.CellFormat(); })
            .Object("HtmlFont", "TQuillHtmlFont", [](C& c) -> TPersistent& { return c.HtmlFont(); })
            .Object("HtmlLink", "THtmlLinkProperty", [](C& c) -> TPersistent& { return c.HtmlLink(); })
            .Bool("PlainText", &C::PlainText, &C::SetPlainText, false)
            .Build();
    return info;
}

}  // namespace quill
