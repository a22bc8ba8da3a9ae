// Fonts through FreeType, faces found through fontconfig. Fonts are matched
// by family name, so metric-compatible faces stand in for the families
// designs name. Advances are the unhinted (linear) ones that browsers lay
// text out with.
#include "platform/FontFace.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <array>
#include <cmath>

namespace quill::platform {

namespace {

// 8-bit text is read as the western code page: Latin-1 but for 0x80-0x9F.
uint32_t CodePoint(unsigned char c) {
    static const std::array<uint16_t, 32> k80 = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    return c >= 0x80 && c < 0xA0 ? k80[c - 0x80] : c;
}

// The height of a line of text alone in a browser: ascent, descent and
// line gap, unhinted and each rounded. It exceeds ascent plus descent for
// fonts with a line gap at some sizes, and a label that short would make
// its row, and everything below it, grow in the page.
int BrowserLineHeight(const FT_FaceRec& face, int pixelSize) {
    if (face.units_per_EM == 0) return 0;
    const double scale = static_cast<double>(pixelSize) / face.units_per_EM;
    const long gap = std::max(0L, static_cast<long>(face.height - face.ascender + face.descender));
    return static_cast<int>(std::lround(face.ascender * scale) + std::lround(-face.descender * scale) +
                            std::lround(gap * scale));
}

// A matched face, or none: without one, a character is estimated at half
// the pixel size and a line at 1.2 times it.
class TFreeTypeFace : public TFontFace {
public:
    TFreeTypeFace(FT_Face face, int pixelSize) : FFace(face), FPixelSize(pixelSize) {
        if (FFace) {
            const FT_Size_Metrics& m = FFace->size->metrics;
            FLineHeight = std::max(static_cast<int>((m.ascender - m.descender) >> 6),
                                   BrowserLineHeight(*FFace, FPixelSize));
        } else {
            FLineHeight = static_cast<int>(std::ceil(FPixelSize * 1.2));
        }
    }
    ~TFreeTypeFace() override {
        if (FFace) FT_Done_Face(FFace);
    }
    TFreeTypeFace(const TFreeTypeFace&) = delete;
    TFreeTypeFace& operator=(const TFreeTypeFace&) = delete;

    int LineHeight() const override { return FLineHeight; }

    int64_t Advance(unsigned char c) override {
        if (FFace && FT_Load_Char(FFace, CodePoint(c), FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) == 0)
            return FFace->glyph->linearHoriAdvance;
        return FPixelSize * kAdvanceUnitsPerPixel / 2;
    }

private:
    FT_Face FFace;
    int FPixelSize;
    int FLineHeight = 0;
};

class TFreeTypeSystem : public TFontSystem {
public:
    TFreeTypeSystem() {
        if (FT_Init_FreeType(&FLibrary) != 0) FLibrary = nullptr;
    }
    ~TFreeTypeSystem() override {
        if (FLibrary) FT_Done_FreeType(FLibrary);
        // Releases fontconfig's own configuration, so leak checkers stay quiet.
        FcFini();
    }
    TFreeTypeSystem(const TFreeTypeSystem&) = delete;
    TFreeTypeSystem& operator=(const TFreeTypeSystem&) = delete;

    std::unique_ptr<TFontFace> Open(const TTextFont& font, int pixelSize) override {
        return std::make_unique<TFreeTypeFace>(OpenFace(font, pixelSize), pixelSize);
    }

private:
    FT_Face OpenFace(const TTextFont& font, int pixelSize) {
        if (!FLibrary) return nullptr;
        FcPattern* pattern = FcPatternCreate();
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(font.Name.c_str()));
        FcPatternAddInteger(pattern, FC_WEIGHT, font.Bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
        FcPatternAddInteger(pattern, FC_SLANT, font.Italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
        FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(nullptr, pattern, &result);
        FcPatternDestroy(pattern);
        FT_Face face = nullptr;
        FcChar8* file = nullptr;
        int index = 0;
        if (match && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
            FcPatternGetInteger(match, FC_INDEX, 0, &index);
            if (FT_New_Face(FLibrary, reinterpret_cast<const char*>(file), index, &face) != 0) face = nullptr;
        }
        if (match) FcPatternDestroy(match);
        if (face && FT_Set_Pixel_Sizes(face, 0, pixelSize) != 0) {
            FT_Done_Face(face);
            face = nullptr;
        }
        return face;
    }

    FT_Library FLibrary = nullptr;
};

}  // namespace

std::unique_ptr<TFontSystem> NewFontSystem() { return std::make_unique<TFreeTypeSystem>(); }

}  // namespace quill::platform
