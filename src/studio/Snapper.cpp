#include "studio/Snapper.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace quill::studio {

namespace {

void SortUnique(std::vector<int>& values) {
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
}

int OnGrid(int value, int step) {
    return static_cast<int>(std::lround(static_cast<double>(value) / step)) * step;
}

}  // namespace

void TSnapper::SetEdges(std::vector<int> xs, std::vector<int> ys) {
    SortUnique(xs);
    SortUnique(ys);
    FXs = std::move(xs);
    FYs = std::move(ys);
}

std::optional<int> TSnapper::Nearest(const std::vector<int>& edges, int value) const {
    auto it = std::lower_bound(edges.begin(), edges.end(), value);
    std::optional<int> best;
    for (auto candidate : {it, it == edges.begin() ? edges.end() : std::prev(it)}) {
        if (candidate == edges.end()) continue;
        const int distance = std::abs(*candidate - value);
        if (distance <= FReach && (!best || distance < std::abs(*best - value))) best = *candidate;
    }
    return best;
}

int TSnapper::Shift(const std::vector<int>& edges, int first, int second, std::optional<int>& guide) const {
    std::optional<int> a = Nearest(edges, first);
    std::optional<int> b = Nearest(edges, second);
    if (a && (!b || std::abs(*a - first) <= std::abs(*b - second))) {
        guide = *a;
        return *a - first;
    }
    if (b) {
        guide = *b;
        return *b - second;
    }
    return FGrid > 0 ? OnGrid(first, FGrid) - first : 0;
}

int TSnapper::SnapOne(const std::vector<int>& edges, int value, std::optional<int>& guide) const {
    return value + Shift(edges, value, value, guide);
}

TSnapper::TMove TSnapper::Snap(const TRect& box) const {
    TMove move;
    move.Dx = Shift(FXs, box.Left, box.Right, move.GuideX);
    move.Dy = Shift(FYs, box.Top, box.Bottom, move.GuideY);
    return move;
}

}  // namespace quill::studio
