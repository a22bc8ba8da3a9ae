#include "platform/TextMetrics.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <list>
#include <map>
#include <memory>
#include <mutex>
#include <string_view>
#include <tuple>
#include <unordered_map>

#include "framework/Utf8.h"
#include "platform/FontFace.h"

namespace quill::platform {

namespace {

// Faces kept open at once. A long-lived host meets any number of font
// names; each open face costs a few hundred kilobytes.
constexpr size_t kMaxCachedFaces = 32;
// Characters above U+00FF kept per face, in the shared cache and in each
// thread's. A text of every character there is stays measurable; past
// these counts characters are measured again each time instead of kept.
constexpr size_t kMaxSharedGlyphs = 16384;
constexpr size_t kMaxLocalGlyphs = 4096;

int PixelSize(int points) {
    return static_cast<int>(std::clamp(std::lround(points * 96.0 / 72.0), 1L, 1L << 20));
}

// The next character of the text; ASCII without a call.
char32_t NextChar(std::string_view text, size_t& pos) {
    const auto byte = static_cast<unsigned char>(text[pos]);
    if (byte < 0x80) {
        ++pos;
        return byte;
    }
    return NextCodePoint(text, pos);
}

// Glyphs known for one font: the first 256 characters in a table, the
// rest in a map of bounded size.
struct TGlyphTable {
    std::array<TGlyphMetrics, 256> Low{};
    std::array<bool, 256> Known{};
    std::array<bool, 256> Plain{};  // known, and in the font's own face
    std::unordered_map<char32_t, TGlyphMetrics> High;

    const TGlyphMetrics* Find(char32_t c) const {
        if (c < 256) return Known[c] ? &Low[c] : nullptr;
        auto found = High.find(c);
        return found == High.end() ? nullptr : &found->second;
    }
    // False when the table has no room for it.
    bool Add(char32_t c, const TGlyphMetrics& glyph, size_t maxHigh) {
        if (c < 256) {
            Low[c] = glyph;
            Known[c] = true;
            Plain[c] = !glyph.Fallback;
            return true;
        }
        if (High.size() >= maxHigh) return false;
        High.emplace(c, glyph);
        return true;
    }
};

using TFaceKey = std::tuple<std::string, int, bool, bool>;

struct TCachedFace {
    TFaceKey Key;
    std::unique_ptr<TFontFace> Face;
    TGlyphTable Glyphs;

    TGlyphMetrics Glyph(char32_t c) {
        if (const TGlyphMetrics* known = Glyphs.Find(c)) return *known;
        TGlyphMetrics glyph = Face->Glyph(c);
        glyph.Advance = std::max<int64_t>(0, glyph.Advance);
        Glyphs.Add(c, glyph, kMaxSharedGlyphs);
        return glyph;
    }
};

class TMeasurer {
public:
    TMeasurer() : FSystem(NewFontSystem()) {}
    ~TMeasurer() {
        // The faces go before the service that opened them.
        FIndex.clear();
        FRecent.clear();
    }

    // The face for the font, most recently used first; the least recently
    // used one is closed when too many are open.
    TCachedFace& Face(const TTextFont& font) {
        const int pixelSize = PixelSize(font.SizePoints);
        // Callers measure many texts in one font in a row.
        if (!FRecent.empty() && Matches(FRecent.front().Key, font, pixelSize)) return FRecent.front();
        TFaceKey key = std::make_tuple(font.Name, pixelSize, font.Bold, font.Italic);
        auto found = FIndex.find(key);
        if (found != FIndex.end()) {
            FRecent.splice(FRecent.begin(), FRecent, found->second);
            return FRecent.front();
        }
        if (FRecent.size() >= kMaxCachedFaces) {
            FIndex.erase(FRecent.back().Key);
            FRecent.pop_back();
        }
        FRecent.push_front(TCachedFace{key, FSystem->Open(font, pixelSize), {}});
        FIndex.emplace(std::move(key), FRecent.begin());
        return FRecent.front();
    }

    std::mutex Lock;

private:
    static bool Matches(const TFaceKey& key, const TTextFont& font, int pixelSize) {
        return std::get<0>(key) == font.Name && std::get<1>(key) == pixelSize && std::get<2>(key) == font.Bold &&
               std::get<3>(key) == font.Italic;
    }

    std::unique_ptr<TFontSystem> FSystem;
    std::list<TCachedFace> FRecent;
    std::map<TFaceKey, std::list<TCachedFace>::iterator> FIndex;
};

TMeasurer& Measurer() {
    static TMeasurer measurer;
    return measurer;
}

// What one thread has learnt of one font: a server measures on many
// threads at once, and a thread that knows a text's characters measures it
// without taking the shared cache's lock. Glyphs never change for a font,
// so a copy stays right after the shared cache closes the face.
struct TLocalFace {
    std::string Name;
    int PixelSize = 0;
    bool Bold = false;
    bool Italic = false;
    int LineHeight = -1;  // not yet known
    TLineExtent Extent;   // known with LineHeight
    TGlyphTable Glyphs;

    bool Matches(const TTextFont& font, int pixelSize) const {
        return PixelSize == pixelSize && Bold == font.Bold && Italic == font.Italic && Name == font.Name;
    }
};

// The fonts a thread used last, most recent first.
class TLocalFaces {
public:
    TLocalFace& Face(const TTextFont& font) {
        const int pixelSize = PixelSize(font.SizePoints);
        for (size_t i = 0; i < FUsed; ++i) {
            if (!FFaces[i]->Matches(font, pixelSize)) continue;
            std::rotate(FFaces.begin(), FFaces.begin() + static_cast<ptrdiff_t>(i),
                        FFaces.begin() + static_cast<ptrdiff_t>(i) + 1);
            return *FFaces[0];
        }
        if (FUsed < FFaces.size()) FFaces[FUsed++] = std::make_unique<TLocalFace>();
        std::rotate(FFaces.begin(), FFaces.begin() + static_cast<ptrdiff_t>(FUsed) - 1,
                    FFaces.begin() + static_cast<ptrdiff_t>(FUsed));
        TLocalFace& face = *FFaces[0];
        face = TLocalFace{font.Name, pixelSize, font.Bold, font.Italic, -1, {}, {}};
        return face;
    }

private:
    std::array<std::unique_ptr<TLocalFace>, 4> FFaces;
    size_t FUsed = 0;
};

thread_local TLocalFaces gLocalFaces;

// Learns from the shared cache, under its lock, every character of the
// text this thread does not know yet, as far as its table has room.
void LearnGlyphs(TLocalFace& local, const TTextFont& font, std::string_view text) {
    TMeasurer& m = Measurer();
    std::lock_guard<std::mutex> guard(m.Lock);
    TCachedFace& face = m.Face(font);
    for (size_t pos = 0; pos < text.size();) {
        const char32_t c = NextChar(text, pos);
        if (local.Glyphs.Find(c)) continue;
        if (!local.Glyphs.Add(c, face.Glyph(c), kMaxLocalGlyphs)) return;
    }
}

TGlyphMetrics SharedGlyph(const TTextFont& font, char32_t c) {
    TMeasurer& m = Measurer();
    std::lock_guard<std::mutex> guard(m.Lock);
    return m.Face(font).Glyph(c);
}

// The glyph of `c`, a character of `text`. The first unknown character
// of a text has the whole text learnt, so a text takes the lock at most
// once, unless this thread's table is full.
TGlyphMetrics LocalGlyph(TLocalFace& local, const TTextFont& font, std::string_view text, char32_t c) {
    if (const TGlyphMetrics* known = local.Glyphs.Find(c)) return *known;
    if (local.Glyphs.High.size() < kMaxLocalGlyphs) {
        LearnGlyphs(local, font, text);
        if (const TGlyphMetrics* known = local.Glyphs.Find(c)) return *known;
    }
    return SharedGlyph(font, c);
}

void LearnLine(TLocalFace& local, const TTextFont& font) {
    TMeasurer& m = Measurer();
    std::lock_guard<std::mutex> guard(m.Lock);
    const TFontFace& face = *m.Face(font).Face;
    local.LineHeight = face.LineHeight();
    local.Extent = face.LineExtent();
}

}  // namespace

int64_t TextAdvance(const TTextFont& font, std::string_view text) {
    TLocalFace& local = gLocalFaces.Face(font);
    constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
    int64_t sum = 0;
    for (size_t pos = 0; pos < text.size();) {
        const char32_t c = NextChar(text, pos);
        const int64_t advance = c < 256 && local.Glyphs.Known[c] ? local.Glyphs.Low[c].Advance
                                                                 : LocalGlyph(local, font, text, c).Advance;
        sum = advance > kMax - sum ? kMax : sum + advance;
    }
    return sum;
}

int TextWidth(const TTextFont& font, std::string_view line) {
    const int64_t advance = TextAdvance(font, line);
    const int64_t pixels = advance / kAdvanceUnitsPerPixel + (advance % kAdvanceUnitsPerPixel != 0 ? 1 : 0);
    return static_cast<int>(std::min<int64_t>(pixels, std::numeric_limits<int>::max()));
}

int LineHeight(const TTextFont& font) {
    TLocalFace& local = gLocalFaces.Face(font);
    if (local.LineHeight < 0) LearnLine(local, font);
    return local.LineHeight;
}

int LineHeight(const TTextFont& font, std::string_view line) {
    TLocalFace& local = gLocalFaces.Face(font);
    if (local.LineHeight < 0) LearnLine(local, font);
    TLineExtent most = local.Extent;
    bool fallback = false;
    for (size_t pos = 0; pos < line.size();) {
        const auto byte = static_cast<unsigned char>(line[pos]);
        if (byte < 0x80 && local.Glyphs.Plain[byte]) {
            ++pos;
            continue;
        }
        const char32_t c = NextChar(line, pos);
        const TGlyphMetrics glyph = LocalGlyph(local, font, line, c);
        if (!glyph.Fallback) continue;
        fallback = true;
        most.Above = std::max(most.Above, glyph.Extent.Above);
        most.Below = std::max(most.Below, glyph.Extent.Below);
    }
    return fallback ? std::max(local.LineHeight, most.Above + most.Below) : local.LineHeight;
}

}  // namespace quill::platform
