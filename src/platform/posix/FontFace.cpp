// Fonts through FreeType, faces found through fontconfig. Fonts are matched
// by family name, so metric-compatible faces stand in for the families
// designs name. Advances are the unhinted (linear) ones that browsers lay
// text out with. A character the matched face lacks is drawn by browsers
// in the first face of fontconfig's order that has it, and is measured
// there too.
#include "platform/FontFace.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <string>
#include <utility>

namespace quill::platform {

namespace {

// A line of text alone in a browser: ascent, descent and line gap,
// unhinted and each rounded; half the gap goes above the text.
TLineExtent BrowserLineExtent(const FT_FaceRec& face, int pixelSize) {
    if (face.units_per_EM == 0) return {};
    const double scale = static_cast<double>(pixelSize) / face.units_per_EM;
    const long gap = std::max(0L, static_cast<long>(face.height - face.ascender + face.descender));
    const auto ascent = static_cast<int>(std::lround(face.ascender * scale));
    const auto descent = static_cast<int>(std::lround(-face.descender * scale));
    const auto leading = static_cast<int>(std::lround(gap * scale));
    return {ascent + leading / 2, descent + leading - leading / 2};
}

// A face at one pixel size, closed with its owner.
class TSizedFace {
public:
    TSizedFace(FT_Library library, const char* file, int index, int pixelSize) {
        if (FT_New_Face(library, file, index, &FFace) != 0) {
            FFace = nullptr;
        } else if (FT_Set_Pixel_Sizes(FFace, 0, pixelSize) != 0) {
            FT_Done_Face(FFace);
            FFace = nullptr;
        }
    }
    ~TSizedFace() {
        if (FFace) FT_Done_Face(FFace);
    }
    TSizedFace(const TSizedFace&) = delete;
    TSizedFace& operator=(const TSizedFace&) = delete;

    FT_Face Get() const { return FFace; }
    bool Has(char32_t c) const { return FFace && FT_Get_Char_Index(FFace, c) != 0; }

    // The unhinted advance of glyph `index`, or -1 when it cannot be loaded.
    int64_t Advance(FT_UInt index) const {
        if (!FFace || FT_Load_Glyph(FFace, index, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0) return -1;
        return FFace->glyph->linearHoriAdvance;
    }

private:
    FT_Face FFace = nullptr;
};

// Where browsers look for a character the font lacks: fontconfig's order
// of all faces for the style alone, whatever the family. So a monospaced
// font falls back to the same proportional CJK face as the others do.
// Each style's order is asked for once, at the first character some font
// of that style lacks.
class TFallbackOrders {
public:
    TFallbackOrders() = default;
    ~TFallbackOrders() {
        for (FcFontSet* order : FOrders)
            if (order) FcFontSetDestroy(order);
    }
    TFallbackOrders(const TFallbackOrders&) = delete;
    TFallbackOrders& operator=(const TFallbackOrders&) = delete;

    // Null when fontconfig gives none.
    const FcFontSet* For(bool bold, bool italic) {
        const int style = (bold ? 1 : 0) + (italic ? 2 : 0);
        if (!FAsked[style]) {
            FAsked[style] = true;
            FcPattern* pattern = FcPatternCreate();
            FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
            FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
            FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
            FcDefaultSubstitute(pattern);
            FcResult result = FcResultNoMatch;
            FOrders[style] = FcFontSort(nullptr, pattern, FcFalse, nullptr, &result);
            FcPatternDestroy(pattern);
        }
        return FOrders[style];
    }

private:
    std::array<FcFontSet*, 4> FOrders{};
    std::array<bool, 4> FAsked{};
};

// The faces one font falls back to, at its pixel size: each opened once,
// at the first character it draws.
class TFallbacks {
public:
    // `orders` belongs to the font system, which outlives its faces.
    TFallbacks(FT_Library library, TFallbackOrders& orders, const TTextFont& font, int pixelSize)
        : FLibrary(library), FOrders(orders), FBold(font.Bold), FItalic(font.Italic), FPixelSize(pixelSize) {}

    // The first face in the order that has `c`, or null.
    const TSizedFace* For(char32_t c) {
        const FcFontSet* order = FLibrary ? FOrders.For(FBold, FItalic) : nullptr;
        if (!order) return nullptr;
        for (int i = 0; i < order->nfont; ++i) {
            FcCharSet* chars = nullptr;
            if (FcPatternGetCharSet(order->fonts[i], FC_CHARSET, 0, &chars) != FcResultMatch ||
                !FcCharSetHasChar(chars, c))
                continue;
            const TSizedFace* face = Face(*order->fonts[i]);
            if (face && face->Has(c)) return face;
        }
        return nullptr;
    }

private:
    const TSizedFace* Face(const FcPattern& font) {
        FcChar8* file = nullptr;
        int index = 0;
        if (FcPatternGetString(&font, FC_FILE, 0, &file) != FcResultMatch) return nullptr;
        FcPatternGetInteger(&font, FC_INDEX, 0, &index);
        auto key = std::make_pair(std::string(reinterpret_cast<const char*>(file)), index);
        auto found = FFaces.find(key);
        if (found == FFaces.end())
            found = FFaces.emplace(key, std::make_unique<TSizedFace>(FLibrary, key.first.c_str(), index, FPixelSize))
                        .first;
        return found->second->Get() ? found->second.get() : nullptr;
    }

    FT_Library FLibrary;
    TFallbackOrders& FOrders;
    bool FBold;
    bool FItalic;
    int FPixelSize;
    std::map<std::pair<std::string, int>, std::unique_ptr<TSizedFace>> FFaces;
};

// A matched face, or none: without one, a character is estimated at half
// the pixel size and a line at 1.2 times it.
class TFreeTypeFace : public TFontFace {
public:
    TFreeTypeFace(std::unique_ptr<TSizedFace> face, std::unique_ptr<TFallbacks> fallbacks, int pixelSize)
        : FFace(std::move(face)), FFallbacks(std::move(fallbacks)), FPixelSize(pixelSize) {
        if (FT_Face f = FFace->Get()) {
            const FT_Size_Metrics& m = f->size->metrics;
            FExtent = BrowserLineExtent(*f, FPixelSize);
            FLineHeight = std::max(static_cast<int>((m.ascender - m.descender) >> 6), FExtent.Above + FExtent.Below);
        } else {
            FLineHeight = static_cast<int>(std::ceil(FPixelSize * 1.2));
            FExtent = {FLineHeight, 0};
        }
    }

    int LineHeight() const override { return FLineHeight; }
    TLineExtent LineExtent() const override { return FExtent; }

    TGlyphMetrics Glyph(char32_t c) override {
        const int64_t estimate = FPixelSize * kAdvanceUnitsPerPixel / 2;
        FT_Face own = FFace->Get();
        if (!own) return {estimate, false, {}};
        const FT_UInt index = FT_Get_Char_Index(own, c);
        if (index == 0) {
            if (const TSizedFace* fallback = FFallbacks->For(c)) {
                const int64_t advance = fallback->Advance(FT_Get_Char_Index(fallback->Get(), c));
                if (advance >= 0) return {advance, true, BrowserLineExtent(*fallback->Get(), FPixelSize)};
            }
        }
        const int64_t advance = FFace->Advance(index);
        return {advance >= 0 ? advance : estimate, false, {}};
    }

private:
    std::unique_ptr<TSizedFace> FFace;
    std::unique_ptr<TFallbacks> FFallbacks;
    int FPixelSize;
    int FLineHeight = 0;
    TLineExtent FExtent;
};

class TFreeTypeSystem : public TFontSystem {
public:
    TFreeTypeSystem() {
        if (FT_Init_FreeType(&FLibrary) != 0) FLibrary = nullptr;
    }
    ~TFreeTypeSystem() override {
        FOrders.reset();
        if (FLibrary) FT_Done_FreeType(FLibrary);
        // Releases fontconfig's own configuration, so leak checkers stay quiet.
        FcFini();
    }
    TFreeTypeSystem(const TFreeTypeSystem&) = delete;
    TFreeTypeSystem& operator=(const TFreeTypeSystem&) = delete;

    std::unique_ptr<TFontFace> Open(const TTextFont& font, int pixelSize) override {
        std::string file;
        int index = 0;
        if (FLibrary) Match(font, file, index);
        return std::make_unique<TFreeTypeFace>(std::make_unique<TSizedFace>(FLibrary, file.c_str(), index, pixelSize),
                                               std::make_unique<TFallbacks>(FLibrary, *FOrders, font, pixelSize),
                                               pixelSize);
    }

private:
    // The file and face index fontconfig matches the font to, if any.
    static void Match(const TTextFont& font, std::string& file, int& index) {
        FcPattern* pattern = FcPatternCreate();
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(font.Name.c_str()));
        FcPatternAddInteger(pattern, FC_WEIGHT, font.Bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
        FcPatternAddInteger(pattern, FC_SLANT, font.Italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
        FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(nullptr, pattern, &result);
        FcPatternDestroy(pattern);
        FcChar8* name = nullptr;
        if (match && FcPatternGetString(match, FC_FILE, 0, &name) == FcResultMatch) {
            file = reinterpret_cast<const char*>(name);
            FcPatternGetInteger(match, FC_INDEX, 0, &index);
        }
        if (match) FcPatternDestroy(match);
    }

    FT_Library FLibrary = nullptr;
    std::unique_ptr<TFallbackOrders> FOrders = std::make_unique<TFallbackOrders>();
};

}  // namespace

std::unique_ptr<TFontSystem> NewFontSystem() { return std::make_unique<TFreeTypeSystem>(); }

}  // namespace quill::platform
