#include "controls/QuillCustomControl.h"

#include <deque>
#include <string>
#include <typeinfo>
#include <utility>

#include "framework/CachedCast.h"
#include "framework/ClassBuilder.h"

namespace quill {

TQuillCustomControl::TQuillCustomControl(TComponent* owner) : TCustomControl(owner) {
    FCreating = true;
    FFrameShape = new TShape(this);
    FFrameShape->SetParent(this);
    FFrameShape->SetAlign(alClient);
    FFrameShape->SetBrushStyle(bsClear);
    FFrameShape->SetPenStyle(psDot);
    FCellFormat.SetAlignV(vaTop);
    FCellFormat.SetOnChange([this](TObject* s) { CellFormatChanged(s); });
    FHtmlLink.SetOnChange([this](TObject* s) { HtmlLinkChanged(s); });
    // A new control shows the HTML font's initial values on screen.
    FHtmlFont.AssignToFont(Font());
    FHtmlFont.SetOnChange([this](TObject* s) { HtmlFontChanged(s); });
    FCreating = false;
}

TQuillCustomControl::~TQuillCustomControl() {
    // The property objects may not call back into a control being destroyed.
    FCellFormat.SetOnChange({});
    FHtmlLink.SetOnChange({});
    FHtmlFont.SetOnChange({});
}

TQuillCustomControl::THandlers& TQuillCustomControl::Handlers() {
    if (!FHandlers) FHandlers = std::make_unique<THandlers>();
    return *FHandlers;
}

const TQuillCustomControl::THandlers& TQuillCustomControl::HandlersOrNone() const {
    static const THandlers none;
    return FHandlers ? *FHandlers : none;
}

void TQuillCustomControl::ChangeAutoSize(bool value) {
    FAutoSize = value;
    TControl::SetAutoSize(value);
}

void TQuillCustomControl::CellFormatChanged(TObject*) {
    if (!FCreating && !Loading()) ApplyCellFormat();
}

void TQuillCustomControl::HtmlFontChanged(TObject*) { FHtmlFont.AssignToFont(Font()); }

void TQuillCustomControl::HtmlLinkChanged(TObject*) {}

void TQuillCustomControl::ControlInserted(TControl*) {}

void TQuillCustomControl::ApplyCellFormat() {
    SetParentColor(FCellFormat.ParentColor());
    if (FCellFormat.ParentColor()) {
        FCellFormat.StoreColor(Color());
    } else {
        SetColor(FCellFormat.Color());
        ColorApplied();
    }
}

void TQuillCustomControl::AddCellControl(TCellControlList& list) { list.push_back({this, BoundsRect()}); }

void TQuillCustomControl::UpdateTag(THtmlTag& tag) {
    if (tag.TagName() == std::string_view("td")) {
        FCellFormat.UpdateTag(tag);
        tag.SetIntAttribute(anWidth, Width());
        // An empty height counts as set but is never written.
        if (FCellFormat.FixedMinimumSize())
            tag.SetIntAttribute(anHeight, Height());
        else
            tag.SetAttribute(anHeight, "");
    }
    if (const auto& handler = OnUpdateTag()) handler(tag);
}

void TQuillCustomControl::GenerateContent(std::string& content) {
    content = CellContent();
    if (const auto& handler = OnGenerateContent()) handler(content);
}

void TQuillCustomControl::GetDefaultHtml(TStrings& strings) {
    // Strings kept for the thread, a pair for each depth of nested calls (a
    // content handler may ask another control for its line meanwhile), so
    // the cells of a page allocate nothing.
    thread_local std::deque<std::pair<std::string, std::string>> buffers;
    thread_local size_t depth = 0;
    if (buffers.size() == depth) buffers.emplace_back();
    auto& [line, content] = buffers[depth++];
    struct TLeave {
        ~TLeave() { --depth; }
    } leave;
    line.clear();
    content.clear();
    // The link holds its open tag from StartTag to EndTag, and the font's
    // opening text is the one from before the content: a content handler
    // may change either, so keep this order.
    FHtmlLink.WriteStartTag(line);
    line += FHtmlFont.GetOpenText();
    GenerateContent(content);
    line += content;
    line += FHtmlFont.GetCloseText();
    FHtmlLink.WriteEndTag(line);
    strings.Add(line);
}

bool TQuillCustomControl::OwnCellSteps() const { return typeid(*this) == typeid(TQuillCustomControl); }

bool TQuillCustomControl::PlainCell(TCellPieces& pieces) const {
    // Without handlers nothing runs between the pieces, so their order
    // no longer matters.
    if (FHandlers && (FHandlers->UpdateTag || FHandlers->GetHtml || FHandlers->GenerateContent)) return false;
    if (!OwnCellSteps()) return false;
    // An alignment out of its range is refused by the tag's steps.
    if (FCellFormat.AlignH() > haRight || FCellFormat.AlignV() > vaBottom) return false;
    pieces.LinkStart = FHtmlLink.StartText();
    FHtmlFont.GetTexts(pieces.FontOpen, pieces.FontClose);
    pieces.Content = CellContent();
    pieces.LinkEnd = FHtmlLink.EndText();
    return true;
}

void TQuillCustomControl::GetHtml(TStrings& strings) {
    if (const auto& handler = OnGetHtml())
        handler(strings);
    else
        GetDefaultHtml(strings);
}

void TQuillCustomControl::AfterLoad() {
    TCustomControl::AfterLoad();
    ApplyCellFormat();
    if (FAutoSize) FitSize();
}

void TQuillCustomControl::AlignmentRequested() {
    if (Align() == alClient) ChangeAutoSize(false);
    TCustomControl::AlignmentRequested();
}

void TQuillCustomControl::ColorChangedNotification() {
    TCustomControl::ColorChangedNotification();
    ApplyCellFormat();
    ColorApplied();
}

void TQuillCustomControl::TextChangedNotification() {
    TCustomControl::TextChangedNotification();
    TextChanged();
}

void TQuillCustomControl::ChildInsertedOrRemoved(TControl* child, bool inserting) {
    TCustomControl::ChildInsertedOrRemoved(child, inserting);
    if (inserting) ControlInserted(child);
}

const TClassInfo& TQuillCustomControl::StaticInfo() {
    using C = TQuillCustomControl;
    static const TClassInfo info =
        TClassBuilder<C>("TQuillCustomControl", &TWinControl::StaticInfo())
            .Event<TQuillGenerateContentEvent>("OnGenerateContent", "TQuillGenerateContentEvent", &C::OnGenerateContent,
                                               &C::SetOnGenerateContent)
            .Event<TQuillGetHtmlEvent>("OnGetHtml", "TQuillGetHtmlEvent", &C::OnGetHtml, &C::SetOnGetHtml)
            .Event<TQuillUpdateTagEvent>("OnUpdateTag", "TQuillUpdateTagEvent", &C::OnUpdateTag, &C::SetOnUpdateTag)
            .Bool("Visible", &C::Visible, &C::SetVisible, true)
            .Build();
    return info;
}

TCellControlList CollectCellControls(const TWinControl& container) {
    TCellControlList list;
    TCachedCast<TQuillCustomControl> cast;
    CollectCellControls(container, list, cast);
    return list;
}

void CollectCellControls(const TWinControl& container, TCellControlList& list,
                         TCachedCast<TQuillCustomControl>& pageControl) {
    for (int i = 0; i < container.ControlCount(); ++i) {
        auto* control = pageControl(container.Controls(i));
        if (control && control->Visible()) control->AddCellControl(list);
    }
}

}  // namespace quill
