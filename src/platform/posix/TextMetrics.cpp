// Text measurement with FreeType, faces found through fontconfig. Fonts
// are matched by family name, so metric-compatible faces stand in for the
// families designs name; advances are cached per face and pixel size.
#include "platform/TextMetrics.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <array>
#include <cmath>
#include <map>
#include <memory>
#include <mutex>
#include <tuple>

namespace quill::platform {

namespace {

int PixelSize(int points) { return static_cast<int>(std::lround(points * 96.0 / 72.0)); }

// 8-bit text is read as the western code page: Latin-1 but for 0x80-0x9F.
uint32_t CodePoint(unsigned char c) {
    static const std::array<uint16_t, 32> k80 = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    return c >= 0x80 && c < 0xA0 ? k80[c - 0x80] : c;
}

struct TFaceMetrics {
    FT_Face Face = nullptr;  // null: no font matched, estimates are used
    int PixelSize = 0;
    int LineHeight = 0;
    std::array<int, 256> Advances{};
    std::array<bool, 256> Known{};
};

class TMeasurer {
public:
    TMeasurer() {
        if (FT_Init_FreeType(&FLibrary) != 0) FLibrary = nullptr;
    }
    ~TMeasurer() {
        for (auto& [key, metrics] : FFaces)
            if (metrics->Face) FT_Done_Face(metrics->Face);
        if (FLibrary) FT_Done_FreeType(FLibrary);
        // Releases fontconfig's own configuration, so leak checkers stay quiet.
        FcFini();
    }

    TFaceMetrics& Metrics(const TTextFont& font) {
        auto key = std::make_tuple(font.Name, PixelSize(font.SizePoints), font.Bold, font.Italic);
        auto it = FFaces.find(key);
        if (it != FFaces.end()) return *it->second;
        auto metrics = std::make_unique<TFaceMetrics>();
        metrics->PixelSize = std::max(1, PixelSize(font.SizePoints));
        metrics->Face = OpenFace(font, metrics->PixelSize);
        if (metrics->Face) {
            const FT_Size_Metrics& m = metrics->Face->size->metrics;
            metrics->LineHeight = static_cast<int>((m.ascender - m.descender) >> 6);
        } else {
            metrics->LineHeight = static_cast<int>(std::ceil(metrics->PixelSize * 1.2));
        }
        return *(FFaces[key] = std::move(metrics));
    }

    int Advance(TFaceMetrics& metrics, unsigned char c) {
        if (metrics.Known[c]) return metrics.Advances[c];
        int advance;
        if (metrics.Face && FT_Load_Char(metrics.Face, CodePoint(c), FT_LOAD_DEFAULT) == 0)
            advance = static_cast<int>(metrics.Face->glyph->advance.x >> 6);
        else
            advance = static_cast<int>(std::lround(metrics.PixelSize * 0.5));
        metrics.Known[c] = true;
        return metrics.Advances[c] = advance;
    }

    std::mutex Lock;

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
    std::map<std::tuple<std::string, int, bool, bool>, std::unique_ptr<TFaceMetrics>> FFaces;
};

TMeasurer& Measurer() {
    static TMeasurer measurer;
    return measurer;
}

}  // namespace

int TextWidth(const TTextFont& font, const std::string& line) {
    TMeasurer& m = Measurer();
    std::lock_guard<std::mutex> guard(m.Lock);
    TFaceMetrics& metrics = m.Metrics(font);
    int width = 0;
    for (unsigned char c : line) width += m.Advance(metrics, c);
    return width;
}

int LineHeight(const TTextFont& font) {
    TMeasurer& m = Measurer();
    std::lock_guard<std::mutex> guard(m.Lock);
    return m.Metrics(font).LineHeight;
}

}  // namespace quill::platform
