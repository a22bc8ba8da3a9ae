#pragma once

#include <string>
#include <vector>

#include "framework/Control.h"

namespace quill {

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };

// A text label. With AutoSize on it takes the size of its caption in its
// font: as wide as the widest line, as high as the lines together; with
// WordWrap on the lines are broken to the current width.
class TLabel : public TControl {
public:
    explicit TLabel(TComponent* owner);
    std::string ClassName() const override { return "TLabel"; }
    static const TClassInfo& StaticInfo();
    const TClassInfo* PublishedInfo() const override { return &StaticInfo(); }

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value) { StoreState(FAlignment, value); }
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout value) { StoreState(FLayout, value); }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value) { StoreState(FTransparent, value); }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);

    // The lines the label shows: the caption split at line breaks and,
    // with WordWrap on, broken to the current width.
    std::vector<std::string> TextLines() const;
    // Measured in the label's font, as auto-size measures.
    int LineWidth(const std::string& line) const;
    int LineHeight() const;
    // The height of a line holding this text, which faces the font falls
    // back to for some characters can make taller than LineHeight().
    int LineHeight(const std::string& line) const;

    bool QueryAutoSize(int& width, int& height) override;
    void FitSize() override;
    void AfterLoad() override;

protected:
    void TextChangedNotification() override { FitSize(); }
    void FontChangedNotification() override { FitSize(); }

private:
    template <class T>
    void StoreState(T& field, T value) {
        if (field == value) return;
        field = value;
        NotifyView(TControlChange::State);
    }

    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FTransparent = false;
    bool FWordWrap = false;
};

}  // namespace quill
