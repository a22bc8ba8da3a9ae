// Fonts through GDI on a memory device context. A font is made from the
// name, the pixel size at 96 per inch and the style. Advances are read from
// a second font one em unit per pixel, where they are the font's own design
// values, so advances are unhinted and fractional like on the other
// platforms.
#include "platform/FontFace.h"

#include <windows.h>

#include <algorithm>
#include <cmath>

namespace quill::platform {

namespace {

HFONT MakeFont(const TTextFont& font, int height) {
    LOGFONTW log{};
    log.lfHeight = -height;
    log.lfWeight = font.Bold ? FW_BOLD : FW_NORMAL;
    log.lfItalic = font.Italic ? TRUE : FALSE;
    log.lfCharSet = DEFAULT_CHARSET;
    log.lfOutPrecision = OUT_TT_PRECIS;
    int length = MultiByteToWideChar(CP_ACP, 0, font.Name.data(), static_cast<int>(font.Name.size()), log.lfFaceName,
                                     LF_FACESIZE - 1);
    log.lfFaceName[std::max(0, length)] = L'\0';
    return CreateFontIndirectW(&log);
}

// Ascent plus descent from the font's horizontal header (the "Mac" values
// at one unit per pixel), as the other platforms take it: the larger of
// the two rounded outward, and the sum of ascent, descent and line gap
// each rounded, as browsers make a line.
int DesignLineHeight(const OUTLINETEXTMETRICW& design, double scale) {
    const double ascent = design.otmMacAscent * scale;
    const double descent = -design.otmMacDescent * scale;
    const double gap = std::max(0u, design.otmMacLineGap) * scale;
    const auto outward = static_cast<int>(std::ceil(ascent) + std::ceil(descent));
    const auto browser = static_cast<int>(std::lround(ascent) + std::lround(descent) + std::lround(gap));
    return std::max(outward, browser);
}

class TGdiFace : public TFontFace {
public:
    // `dc` belongs to the font system, which outlives its faces.
    TGdiFace(HDC dc, const TTextFont& font, int pixelSize) : FDC(dc), FSized(MakeFont(font, pixelSize)) {
        HGDIOBJ old = SelectObject(FDC, FSized);
        TEXTMETRICW text{};
        GetTextMetricsW(FDC, &text);
        FLineHeight = text.tmAscent + text.tmDescent;
        OUTLINETEXTMETRICW outline{};
        outline.otmSize = sizeof outline;
        if (GetOutlineTextMetricsW(FDC, sizeof outline, &outline) != 0 && outline.otmEMSquare > 0) {
            FDesign = MakeFont(font, static_cast<int>(outline.otmEMSquare));
            FScale = static_cast<double>(pixelSize) / outline.otmEMSquare;
            SelectObject(FDC, FDesign);
            if (GetOutlineTextMetricsW(FDC, sizeof outline, &outline) != 0)
                FLineHeight = DesignLineHeight(outline, FScale);
        }
        SelectObject(FDC, old);
    }
    ~TGdiFace() override {
        if (FDesign) DeleteObject(FDesign);
        if (FSized) DeleteObject(FSized);
    }
    TGdiFace(const TGdiFace&) = delete;
    TGdiFace& operator=(const TGdiFace&) = delete;

    int LineHeight() const override { return FLineHeight; }

    int64_t Advance(unsigned char c) override {
        char narrow = static_cast<char>(c);
        wchar_t wide = L'?';
        MultiByteToWideChar(CP_ACP, 0, &narrow, 1, &wide, 1);
        HGDIOBJ old = SelectObject(FDC, FDesign ? FDesign : FSized);
        ABCFLOAT abc{};
        int64_t advance = 0;
        if (GetCharABCWidthsFloatW(FDC, wide, wide, &abc)) {
            double pixels = (abc.abcfA + abc.abcfB + abc.abcfC) * (FDesign ? FScale : 1.0);
            advance = std::llround(pixels * kAdvanceUnitsPerPixel);
        }
        SelectObject(FDC, old);
        return advance;
    }

private:
    HDC FDC;
    HFONT FSized;              // the font at the requested pixel size
    HFONT FDesign = nullptr;  // the font at its em size; null for bitmap fonts
    double FScale = 1.0;      // pixels per unit of FDesign's advances
    int FLineHeight = 0;
};

class TGdiSystem : public TFontSystem {
public:
    TGdiSystem() : FDC(CreateCompatibleDC(nullptr)) {}
    ~TGdiSystem() override {
        if (FDC) DeleteDC(FDC);
    }
    TGdiSystem(const TGdiSystem&) = delete;
    TGdiSystem& operator=(const TGdiSystem&) = delete;

    std::unique_ptr<TFontFace> Open(const TTextFont& font, int pixelSize) override {
        return std::make_unique<TGdiFace>(FDC, font, pixelSize);
    }

private:
    HDC FDC;
};

}  // namespace

std::unique_ptr<TFontSystem> NewFontSystem() { return std::make_unique<TGdiSystem>(); }

}  // namespace quill::platform
