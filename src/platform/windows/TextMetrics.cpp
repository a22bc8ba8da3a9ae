// Text measurement with GDI on a memory device context. A font is made
// from the name, the pixel size at 96 per inch and the style. Advances are
// read from a second font one em unit per pixel, where they are the font's
// own design values, so advances are unhinted and fractional like on the
// other platforms.
#include "platform/TextMetrics.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <map>
#include <memory>
#include <mutex>
#include <tuple>

namespace quill::platform {

namespace {

int PixelSize(int points) { return std::max(1, static_cast<int>(std::lround(points * 96.0 / 72.0))); }

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

struct TFaceMetrics {
    HFONT Design = nullptr;  // the font at its em size; null for bitmap fonts
    HFONT Sized = nullptr;   // the font at the requested pixel size
    double Scale = 1.0;      // pixels per unit of Design's advances
    int LineHeight = 0;
    std::array<int64_t, 256> Advances{};
    std::array<bool, 256> Known{};
};

class TMeasurer {
public:
    TMeasurer() : FDC(CreateCompatibleDC(nullptr)) {}
    ~TMeasurer() {
        for (auto& [key, metrics] : FFaces) {
            if (metrics->Design) DeleteObject(metrics->Design);
            if (metrics->Sized) DeleteObject(metrics->Sized);
        }
        if (FDC) DeleteDC(FDC);
    }

    TFaceMetrics& Metrics(const TTextFont& font) {
        auto key = std::make_tuple(font.Name, PixelSize(font.SizePoints), font.Bold, font.Italic);
        auto it = FFaces.find(key);
        if (it != FFaces.end()) return *it->second;
        auto metrics = std::make_unique<TFaceMetrics>();
        int pixels = PixelSize(font.SizePoints);
        metrics->Sized = MakeFont(font, pixels);
        HGDIOBJ old = SelectObject(FDC, metrics->Sized);
        TEXTMETRICW text{};
        GetTextMetricsW(FDC, &text);
        metrics->LineHeight = text.tmAscent + text.tmDescent;
        OUTLINETEXTMETRICW outline{};
        outline.otmSize = sizeof outline;
        if (GetOutlineTextMetricsW(FDC, sizeof outline, &outline) != 0 && outline.otmEMSquare > 0) {
            metrics->Design = MakeFont(font, static_cast<int>(outline.otmEMSquare));
            metrics->Scale = static_cast<double>(pixels) / outline.otmEMSquare;
            SelectObject(FDC, metrics->Design);
            if (GetOutlineTextMetricsW(FDC, sizeof outline, &outline) != 0)
                metrics->LineHeight = DesignLineHeight(outline, metrics->Scale);
        }
        SelectObject(FDC, old);
        return *(FFaces[key] = std::move(metrics));
    }

    int64_t Advance(TFaceMetrics& metrics, unsigned char c) {
        if (metrics.Known[c]) return metrics.Advances[c];
        char narrow = static_cast<char>(c);
        wchar_t wide = L'?';
        MultiByteToWideChar(CP_ACP, 0, &narrow, 1, &wide, 1);
        HGDIOBJ old = SelectObject(FDC, metrics.Design ? metrics.Design : metrics.Sized);
        ABCFLOAT abc{};
        int64_t advance = 0;
        if (GetCharABCWidthsFloatW(FDC, wide, wide, &abc)) {
            double pixels = (abc.abcfA + abc.abcfB + abc.abcfC) * (metrics.Design ? metrics.Scale : 1.0);
            advance = std::max<int64_t>(0, std::llround(pixels * kAdvanceUnitsPerPixel));
        }
        SelectObject(FDC, old);
        metrics.Known[c] = true;
        return metrics.Advances[c] = advance;
    }

    std::mutex Lock;

private:
    HDC FDC;
    std::map<std::tuple<std::string, int, bool, bool>, std::unique_ptr<TFaceMetrics>> FFaces;
};

TMeasurer& Measurer() {
    static TMeasurer measurer;
    return measurer;
}

}  // namespace

int64_t TextAdvance(const TTextFont& font, std::string_view text) {
    TMeasurer& m = Measurer();
    std::lock_guard<std::mutex> guard(m.Lock);
    TFaceMetrics& metrics = m.Metrics(font);
    constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
    int64_t sum = 0;
    for (unsigned char c : text) {
        const int64_t advance = m.Advance(metrics, c);
        sum = advance > kMax - sum ? kMax : sum + advance;
    }
    return sum;
}

int LineHeight(const TTextFont& font) {
    TMeasurer& m = Measurer();
    std::lock_guard<std::mutex> guard(m.Lock);
    return m.Metrics(font).LineHeight;
}

}  // namespace quill::platform
