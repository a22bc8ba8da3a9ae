#pragma once

#include <memory>
#include <string>

#include "framework/CachedCast.h"
#include "layout/CellTable.h"
#include "markup/HtmlProps.h"
#include "markup/HtmlTag.h"
#include "markup/QuillFont.h"
#include "framework/CustomControl.h"
#include "framework/Event.h"
#include "framework/Shape.h"
#include "framework/Strings.h"

namespace quill {

// Replaces a control's HTML: the handler fills the cell's lines.
using TQuillGetHtmlEvent = TEvent<TStrings&>;
// Adjusts a control's content, which arrives holding its caption.
using TQuillGenerateContentEvent = TEvent<std::string&>;
// Changes a control's cell tag in place.
using TQuillUpdateTagEvent = TEvent<THtmlTag&>;

// The second line of a plain cell, piece by piece; the views hold until the
// control changes.
struct TCellPieces {
    std::string_view LinkStart, FontOpen, Content, FontClose, LinkEnd;
    size_t Size() const { return LinkStart.size() + FontOpen.size() + Content.size() + FontClose.size() + LinkEnd.size(); }
};

// A control that renders itself into one cell of the page table: it adds
// its cell entry, sets its cell's attributes and writes the cell's HTML.
// On screen it mirrors its cell format's colour and its HTML font.
class TQuillCustomControl : public TCustomControl {
public:
    explicit TQuillCustomControl(TComponent* owner);
    ~TQuillCustomControl() override;

    std::string ClassName() const override { return "TQuillCustomControl"; }
    static const TClassInfo& StaticInfo();
    const TClassInfo* PublishedInfo() const override { return &StaticInfo(); }

    THtmlTableDataProperty& CellFormat() { return FCellFormat; }
    const THtmlTableDataProperty& CellFormat() const { return FCellFormat; }
    THtmlLinkProperty& HtmlLink() { return FHtmlLink; }
    const THtmlLinkProperty& HtmlLink() const { return FHtmlLink; }
    TQuillHtmlFont& HtmlFont() { return FHtmlFont; }
    const TQuillHtmlFont& HtmlFont() const { return FHtmlFont; }
    // The given objects' values are copied; the control keeps its own.
    void SetCellFormat(const TPersistent& value) { FCellFormat.CopyValuesFrom(value); }
    void SetHtmlLink(const TPersistent& value) { FHtmlLink.CopyValuesFrom(value); }
    void SetHtmlFont(const TPersistent& value) { FHtmlFont.CopyValuesFrom(value); }

    // The published AutoSize: the control's own record, kept beside the
    // framework's flag (TControl::AutoSize).
    bool AutoSize() const { return FAutoSize; }
    virtual void ChangeAutoSize(bool value);

    TShape* FrameShape() const { return FFrameShape; }
    bool Creating() const { return FCreating; }

    const TQuillGetHtmlEvent& OnGetHtml() const { return HandlersOrNone().GetHtml; }
    void SetOnGetHtml(const TQuillGetHtmlEvent& e) { Handlers().GetHtml = e; }
    const TQuillGenerateContentEvent& OnGenerateContent() const { return HandlersOrNone().GenerateContent; }
    void SetOnGenerateContent(const TQuillGenerateContentEvent& e) { Handlers().GenerateContent = e; }
    const TQuillUpdateTagEvent& OnUpdateTag() const { return HandlersOrNone().UpdateTag; }
    void SetOnUpdateTag(const TQuillUpdateTagEvent& e) { Handlers().UpdateTag = e; }

    virtual void ApplyCellFormat();
    // Appends the control's cell entry: itself and its bounds.
    virtual void AddCellControl(TCellControlList& list);
    // Sets the cell's attributes: cell format, width, height or none, then
    // OnUpdateTag.
    virtual void UpdateTag(THtmlTag& tag);
    virtual void GenerateContent(std::string& content);
    // One line: link start, font start, content, font end, link end.
    virtual void GetDefaultHtml(TStrings& strings);
    virtual void GetHtml(TStrings& strings);
    // Whether GetHtml only appends lines, so the table generator may hand
    // it the page itself instead of a list to copy from: no handler then
    // sees the page's earlier lines. A panel's nested table is written so,
    // and deep nesting copies nothing.
    virtual bool AppendsToPage() const { return false; }

    // The page writer's short way. When this answers true the cell is the
    // start tag of PutCellStart on a line of its own, then one line of
    // `pieces` closed by the cell's end tag: byte for byte what UpdateTag
    // and GetHtml make. It answers false when a handler or a class further
    // down may make the cell otherwise. It may raise, but writes nothing.
    bool PlainCell(TCellPieces& pieces) const;
    // The most bytes PutCellStart writes.
    size_t CellStartMax() const { return FCellFormat.CellStartTagMax(); }
    char* PutCellStart(char* at, int32_t colSpan, int32_t rowSpan) const {
        return FCellFormat.PutCellStartTag(at, colSpan, rowSpan, Width(), Height());
    }

    void AfterLoad() override;
    void AlignmentRequested() override;

protected:
    // Whether UpdateTag, GetHtml and the steps they take are this class's
    // own. A class further down may replace any of them, so each class
    // answers for objects of exactly its own class.
    virtual bool OwnCellSteps() const;
    // The cell's content before OnGenerateContent: the caption as markup,
    // unless a class shows it otherwise. Valid until the control changes.
    virtual std::string_view CellContent() const { return Caption(); }
    virtual void CellFormatChanged(TObject* sender);
    virtual void HtmlFontChanged(TObject* sender);
    virtual void HtmlLinkChanged(TObject* sender);
    virtual void ControlInserted(TControl* control);
    virtual void TextChanged() {}
    virtual void ColorApplied() {}
    // Sets the own AutoSize record without any other effect.
    void StoreAutoSize(bool value) { FAutoSize = value; }

    void ColorChangedNotification() override;
    void TextChangedNotification() override;
    void ChildInsertedOrRemoved(TControl* child, bool inserting) override;

private:
    // Declared in this order so that they are freed font, link, format.
    THtmlTableDataProperty FCellFormat;
    THtmlLinkProperty FHtmlLink;
    TQuillHtmlFont FHtmlFont;
    // The page events, made when one is first set: most controls have none.
    struct THandlers {
        TQuillGetHtmlEvent GetHtml;
        TQuillGenerateContentEvent GenerateContent;
        TQuillUpdateTagEvent UpdateTag;
    };
    THandlers& Handlers();
    const THandlers& HandlersOrNone() const;
    std::unique_ptr<THandlers> FHandlers;
    bool FAutoSize = false;
    TShape* FFrameShape = nullptr;  // owned as a child component
    bool FCreating = false;
};

// The cell entries of a container: each visible page control among its
// direct children, in child order.
TCellControlList CollectCellControls(const TWinControl& container);
// The same entries appended to `list`, the class checks answered by `cast`
// (which a caller may keep from run to run).
void CollectCellControls(const TWinControl& container, TCellControlList& list,
                         TCachedCast<TQuillCustomControl>& cast);

}  // namespace quill
