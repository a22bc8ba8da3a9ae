// Fonts through GDI on a memory device context. A font is made from the
// name, the pixel size at 96 per inch and the style. Advances are read from
// a second font one em unit per pixel, where they are the font's own design
// values, so advances are unhinted and fractional like on the other
// platforms. A character the font lacks, and any beyond the 16-bit range,
// is measured by Uniscribe with font fallback and linking, in the face
// Windows draws it in.
#include "platform/FontFace.h"

#include <windows.h>
#include <usp10.h>

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
    int length = MultiByteToWideChar(CP_UTF8, 0, font.Name.data(), static_cast<int>(font.Name.size()), log.lfFaceName,
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

// The UTF-16 form of a scalar value; returns the number of units.
int Utf16(char32_t c, wchar_t (&units)[2]) {
    if (c < 0x10000) {
        units[0] = static_cast<wchar_t>(c);
        return 1;
    }
    c -= 0x10000;
    units[0] = static_cast<wchar_t>(0xD800 + (c >> 10));
    units[1] = static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
    return 2;
}

// The size of the text as Uniscribe lays it out on the device context's
// font, falling back to other fonts for characters it lacks.
bool FallbackSize(HDC dc, const wchar_t* text, int length, SIZE& size) {
    SCRIPT_STRING_ANALYSIS analysis = nullptr;
    if (FAILED(ScriptStringAnalyse(dc, text, length, length * 3 / 2 + 16, -1, SSA_GLYPHS | SSA_FALLBACK | SSA_LINK, 0,
                                   nullptr, nullptr, nullptr, nullptr, nullptr, &analysis)))
        return false;
    const SIZE* measured = ScriptString_pSize(analysis);
    if (measured) size = *measured;
    ScriptStringFree(&analysis);
    return measured != nullptr;
}

class TGdiFace : public TFontFace {
public:
    // `dc` belongs to the font system, which outlives its faces.
    TGdiFace(HDC dc, const TTextFont& font, int pixelSize) : FDC(dc), FSized(MakeFont(font, pixelSize)) {
        HGDIOBJ old = SelectObject(FDC, FSized);
        TEXTMETRICW text{};
        GetTextMetricsW(FDC, &text);
        FLineHeight = text.tmAscent + text.tmDescent;
        FExtent.Below = text.tmDescent;
        OUTLINETEXTMETRICW outline{};
        outline.otmSize = sizeof outline;
        if (GetOutlineTextMetricsW(FDC, sizeof outline, &outline) != 0 && outline.otmEMSquare > 0) {
            FDesign = MakeFont(font, static_cast<int>(outline.otmEMSquare));
            FScale = static_cast<double>(pixelSize) / outline.otmEMSquare;
            SelectObject(FDC, FDesign);
            if (GetOutlineTextMetricsW(FDC, sizeof outline, &outline) != 0) {
                FLineHeight = DesignLineHeight(outline, FScale);
                FExtent.Below = static_cast<int>(std::lround(-outline.otmMacDescent * FScale));
            }
        }
        SelectObject(FDC, old);
        FExtent.Above = FLineHeight - FExtent.Below;
    }
    ~TGdiFace() override {
        if (FDesign) DeleteObject(FDesign);
        if (FSized) DeleteObject(FSized);
    }
    TGdiFace(const TGdiFace&) = delete;
    TGdiFace& operator=(const TGdiFace&) = delete;

    int LineHeight() const override { return FLineHeight; }

    TLineExtent LineExtent() const override { return FExtent; }

    TGlyphMetrics Glyph(char32_t c) override {
        wchar_t units[2];
        const int length = Utf16(c, units);
        HGDIOBJ old = SelectObject(FDC, FDesign ? FDesign : FSized);
        const double scale = FDesign ? FScale : 1.0;
        TGlyphMetrics glyph;
        WORD index = 0xFFFF;
        ABCFLOAT abc{};
        SIZE size{};
        if (length == 1 && GetGlyphIndicesW(FDC, units, 1, &index, GGI_MARK_NONEXISTING_GLYPHS) == 1 &&
            index != 0xFFFF && GetCharABCWidthsFloatW(FDC, units[0], units[0], &abc)) {
            glyph.Advance = std::llround((abc.abcfA + abc.abcfB + abc.abcfC) * scale * kAdvanceUnitsPerPixel);
        } else if (FallbackSize(FDC, units, length, size)) {
            // Uniscribe tells the height of the fonts it used, not how they
            // split it about the baseline: the font's own part below is kept.
            glyph.Advance = std::llround(size.cx * scale * kAdvanceUnitsPerPixel);
            glyph.Fallback = true;
            const auto height = static_cast<int>(std::lround(size.cy * scale));
            glyph.Extent = {std::max(FExtent.Above, height - FExtent.Below), FExtent.Below};
        } else if (length == 1 && GetCharABCWidthsFloatW(FDC, units[0], units[0], &abc)) {
            glyph.Advance = std::llround((abc.abcfA + abc.abcfB + abc.abcfC) * scale * kAdvanceUnitsPerPixel);
        }
        SelectObject(FDC, old);
        return glyph;
    }

private:
    HDC FDC;
    HFONT FSized;              // the font at the requested pixel size
    HFONT FDesign = nullptr;  // the font at its em size; null for bitmap fonts
    double FScale = 1.0;      // pixels per unit of FDesign's advances
    int FLineHeight = 0;
    TLineExtent FExtent;
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
