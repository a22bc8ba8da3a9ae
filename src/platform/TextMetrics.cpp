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

#include "platform/FontFace.h"

namespace quill::platform {

namespace {

// Faces kept open at once. A long-lived host meets any number of font
// names; each open face costs a few hundred kilobytes.
constexpr size_t kMaxCachedFaces = 32;

int PixelSize(int points) {
    return static_cast<int>(std::clamp(std::lround(points * 96.0 / 72.0), 1L, 1L << 20));
}

using TFaceKey = std::tuple<std::string, int, bool, bool>;

struct TCachedFace {
    TFaceKey Key;
    std::unique_ptr<TFontFace> Face;
    std::array<int64_t, 256> Advances{};
    std::array<bool, 256> Known{};

    int64_t Advance(unsigned char c) {
        if (!Known[c]) {
            Advances[c] = std::max<int64_t>(0, Face->Advance(c));
            Known[c] = true;
        }
        return Advances[c];
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
        FRecent.push_front(TCachedFace{key, FSystem->Open(font, pixelSize)});
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
// without taking the shared cache's lock. Advances never change for a
// font, so a copy stays right after the shared cache closes the face.
struct TLocalFace {
    std::string Name;
    int PixelSize = 0;
    bool Bold = false;
    bool Italic = false;
    int LineHeight = -1;  // not yet known
    std::array<int64_t, 256> Advances{};
    std::array<bool, 256> Known{};

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
        face = TLocalFace{font.Name, pixelSize, font.Bold, font.Italic};
        return face;
    }

private:
    std::array<std::unique_ptr<TLocalFace>, 4> FFaces;
    size_t FUsed = 0;
};

thread_local TLocalFaces gLocalFaces;

// Learns from the shared cache, under its lock, every character of the
// text this thread does not know yet.
void LearnAdvances(TLocalFace& local, const TTextFont& font, std::string_view text) {
    TMeasurer& m = Measurer();
    std::lock_guard<std::mutex> guard(m.Lock);
    TCachedFace& face = m.Face(font);
    for (unsigned char c : text) {
        if (local.Known[c]) continue;
        local.Advances[c] = face.Advance(c);
        local.Known[c] = true;
    }
}

}  // namespace

int64_t TextAdvance(const TTextFont& font, std::string_view text) {
    TLocalFace& local = gLocalFaces.Face(font);
    constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
    int64_t sum = 0;
    for (unsigned char c : text) {
        // Learns the whole text at once: at most one lock per measurement.
        if (!local.Known[c]) LearnAdvances(local, font, text);
        const int64_t advance = local.Advances[c];
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
    if (local.LineHeight < 0) {
        TMeasurer& m = Measurer();
        std::lock_guard<std::mutex> guard(m.Lock);
        local.LineHeight = m.Face(font).Face->LineHeight();
    }
    return local.LineHeight;
}

}  // namespace quill::platform
