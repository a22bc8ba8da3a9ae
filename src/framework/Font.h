#pragma once

#include <string>

#include "framework/Color.h"
#include "framework/Event.h"
#include "framework/Persistent.h"
#include "framework/Set.h"

namespace quill {

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;

// Screen pixels per inch, which turns point sizes into pixel heights.
constexpr int kPixelsPerInch = 96;

// The font a control draws with. Every change is reported through OnChange.
class TFont : public TPersistent {
public:
    std::string ClassName() const override { return "TFont"; }
    static const TClassInfo& StaticInfo();
    const TClassInfo* PublishedInfo() const override { return &StaticInfo(); }
    void CopyValuesFrom(const TPersistent& source) override;
    bool SameValues(const TFont& other) const {
        return FSize == other.FSize && FColor == other.FColor && FStyle == other.FStyle && FName == other.FName;
    }

    const std::string& Name() const { return FName; }
    void SetName(const std::string& name);
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles style);
    int Size() const { return FSize; }  // points
    void SetSize(int points);
    // Pixels: negative is the character height, as designs store it.
    int Height() const;
    void SetHeight(int pixels);

    TNotifyEvent OnChange;

private:
    // Only a real change is reported.
    template <class T>
    void Store(T& field, const T& value) {
        if (field == value) return;
        field = value;
        Changed();
    }
    void Changed();

    std::string FName = "Tahoma";
    TColor FColor = clWindowText;
    TFontStyles FStyle;
    int FSize = 8;
};

}  // namespace quill
