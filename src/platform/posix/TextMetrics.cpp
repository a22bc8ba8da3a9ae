// Text measurement with FreeType, faces found through fontconfig. Fonts
// are matched by family name, so metric-compatible faces stand in for the
// families designs name. Advances are the unhinted (linear) ones that
// browsers lay text out with, cached per face and pixel size.
#include "platform/TextMetrics.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <list>
#include <map>
#include <memory>
#include <mutex>
#include <tuple>

namespace quill::platform {

namespace {

// Faces kept open at once. A long-lived host meets any number of font
// names; each open face costs a few hundred kilobytes.
constexpr size_t kMaxCachedFaces = 32;

int PixelSize(int points) {
    return static_cast<int>(std::clamp(std::lround(points * 96.0 / 72.0), 1L, 1L << 20));
}

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

using TFaceKey = std::tuple<std::string, int, bool, bool>;

struct TFaceMetrics {
    TFaceKey Key;
    FT_Face Face = nullptr;  // null: no font matched, estimates are used
    int PixelSize = 0;
    int LineHeight = 0;
    std::array<int64_t, 256> Advances{};
    std::array<bool, 256> Known{};

    ~TFaceMetrics() {
        if (Face) FT_Done_Face(Face);
    }
};

class TMeasurer {
public:
    TMeasurer() {
        if (FT_Init_FreeType(&FLibrary) != 0) FLibrary = nullptr;
    }
    ~TMeasurer() {
        FRecent.clear();
        if (FLibrary) FT_Done_FreeType(FLibrary);
        // Releases fontconfig's own configuration, so leak checkers stay quiet.
        FcFini();
    }

    // The metrics of the font, most recently used first; the least
    // recently used face is closed when too many are open.
    TFaceMetrics& Metrics(const TTextFont& font) {
        // Callers measure many texts in one font in a row.
        if (!FRecent.empty() && Matches(FRecent.front()->Key, font)) return *FRecent.front();
        TFaceKey key = std::make_tuple(font.Name, PixelSize(font.SizePoints), font.Bold, font.Italic);
        auto found = FIndex.find(key);
        if (found != FIndex.end()) {
            FRecent.splice(FRecent.begin(), FRecent, found->second);
            return *FRecent.front();
        }
        if (FRecent.size() >= kMaxCachedFaces) {
            FIndex.erase(FRecent.back()->Key);
            FRecent.pop_back();
        }
        FRecent.push_front(Load(font, key));
        FIndex.emplace(std::move(key), FRecent.begin());
        return *FRecent.front();
    }

    int64_t Advance(TFaceMetrics& metrics, unsigned char c) {
        if (metrics.Known[c]) return metrics.Advances[c];
        int64_t advance = metrics.PixelSize * kAdvanceUnitsPerPixel / 2;
        if (metrics.Face && FT_Load_Char(metrics.Face, CodePoint(c), FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) == 0)
            advance = std::max<int64_t>(0, metrics.Face->glyph->linearHoriAdvance);
        metrics.Known[c] = true;
        return metrics.Advances[c] = advance;
    }

    std::mutex Lock;

private:
    static bool Matches(const TFaceKey& key, const TTextFont& font) {
        return std::get<0>(key) == font.Name && std::get<1>(key) == PixelSize(font.SizePoints) &&
               std::get<2>(key) == font.Bold && std::get<3>(key) == font.Italic;
    }

    std::unique_ptr<TFaceMetrics> Load(const TTextFont& font, const TFaceKey& key) {
        auto metrics = std::make_unique<TFaceMetrics>();
        metrics->Key = key;
        metrics->PixelSize = std::get<1>(key);
        metrics->Face = OpenFace(font, metrics->PixelSize);
        if (metrics->Face) {
            const FT_Size_Metrics& m = metrics->Face->size->metrics;
            metrics->LineHeight = std::max(static_cast<int>((m.ascender - m.descender) >> 6),
                                           BrowserLineHeight(*metrics->Face, metrics->PixelSize));
        } else {
            metrics->LineHeight = static_cast<int>(std::ceil(metrics->PixelSize * 1.2));
        }
        return metrics;
    }

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
    std::list<std::unique_ptr<TFaceMetrics>> FRecent;
    std::map<TFaceKey, std::list<std::unique_ptr<TFaceMetrics>>::iterator> FIndex;
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
