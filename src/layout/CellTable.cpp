#include "layout/CellTable.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <queue>
#include <stdexcept>
#include <string>
#include <utility>

#include "framework/Exception.h"
#include "framework/Saturate.h"

namespace quill {

namespace {

// A position as an unsigned key that sorts in the same order.
uint32_t KeyOf(int32_t position) { return static_cast<uint32_t>(position) ^ 0x80000000u; }
int32_t PositionOf(uint64_t item) { return static_cast<int32_t>(static_cast<uint32_t>(item >> 32) ^ 0x80000000u); }

// Sorts items by their upper 32 bits: a radix sort, linear in the count,
// in three passes of 11 bits; a pass whose digit all items share is
// skipped. Short lists are sorted whole.
void SortByKey(std::vector<uint64_t>& items, std::vector<uint64_t>& scratch) {
    if (items.size() < 256) {
        std::sort(items.begin(), items.end());
        return;
    }
    constexpr int kBits = 11;
    constexpr size_t kDigits = size_t{1} << kBits;
    std::vector<size_t> counts(3 * kDigits);
    auto digit = [](uint64_t item, int pass) { return static_cast<size_t>(item >> (32 + kBits * pass)) & (kDigits - 1); };
    for (uint64_t item : items)
        for (int pass = 0; pass < 3; ++pass) ++counts[pass * kDigits + digit(item, pass)];
    scratch.resize(items.size());
    for (int pass = 0; pass < 3; ++pass) {
        size_t* count = counts.data() + pass * kDigits;
        if (count[digit(items[0], pass)] == items.size()) continue;
        size_t sum = 0;
        for (size_t d = 0; d < kDigits; ++d) sum += std::exchange(count[d], sum);
        for (uint64_t item : items) scratch[count[digit(item, pass)]++] = item;
        items.swap(scratch);
    }
}

// The grid lines of one axis: positions sorted without duplicates, the
// running sum of strip sizes so a span's size is one subtraction, and for
// each control the edge indexes of its two sides.
struct TAxis {
    std::vector<TCellEdge> Edges;
    std::vector<int64_t> Sums{0};  // Sums[k] = size of strips 0..k-1
    std::vector<uint32_t> Sides;   // control k's edges at 2k and 2k + 1

    size_t Count() const { return Edges.size(); }
    int32_t SpanSize(size_t first, size_t end) const { return ClampToInt(Sums[end] - Sums[first]); }
};

// Adds the next edge of an axis, given in ascending order.
void AddEdge(TAxis& axis, int32_t position) {
    // Two 32-bit positions may lie further apart than 32 bits reach.
    const int64_t previous = axis.Edges.empty() ? 0 : axis.Edges.back().Position;
    const int32_t size = ClampToInt(int64_t{position} - previous);
    axis.Edges.push_back({position, size});
    axis.Sums.push_back(axis.Sums.back() + size);
}

// The position of side `from` (2k and 2k + 1 for control k's sides, then
// the origin and the extent).
struct TSides {
    const TCellControlList& Controls;
    bool Horizontal;
    int32_t Extent;

    size_t Count() const { return 2 * Controls.size() + 2; }
    int32_t operator[](size_t from) const {
        const size_t k = from / 2;
        if (k == Controls.size()) return from % 2 == 0 ? 0 : Extent;
        const TRect& b = Controls[k].Bounds;
        if (from % 2 == 0) return Horizontal ? b.Left : b.Top;
        return Horizontal ? b.Right : b.Bottom;
    }
};

// Positions within a span not much wider than their count (as on most
// pages) are sorted by marking each in a table over the span.
bool CreateAxisByTable(const TSides& sides, TAxis& axis) {
    int32_t low = INT32_MAX, high = INT32_MIN;
    for (size_t i = 0; i < sides.Count(); ++i) {
        low = std::min(low, sides[i]);
        high = std::max(high, sides[i]);
    }
    const uint64_t span = uint64_t(int64_t{high} - low) + 1;
    if (span > 4 * uint64_t{sides.Count()} + 1024) return false;
    std::vector<uint32_t> index(span, 0);
    for (size_t i = 0; i < sides.Count(); ++i) index[static_cast<size_t>(int64_t{sides[i]} - low)] = 1;
    for (size_t p = 0; p < span; ++p) {
        if (index[p] == 0) continue;
        index[p] = static_cast<uint32_t>(axis.Edges.size());
        AddEdge(axis, static_cast<int32_t>(low + static_cast<int64_t>(p)));
    }
    for (size_t from = 0; from + 2 < sides.Count(); ++from)
        axis.Sides[from] = index[static_cast<size_t>(int64_t{sides[from]} - low)];
    return true;
}

// Any positions: sorted by digits with their origins in the low bits.
void CreateAxisByDigits(const TSides& sides, TAxis& axis) {
    std::vector<uint64_t> items;
    items.reserve(sides.Count());
    for (size_t from = 0; from < sides.Count(); ++from) items.push_back(uint64_t{KeyOf(sides[from])} << 32 | from);
    std::vector<uint64_t> scratch;
    SortByKey(items, scratch);
    std::vector<uint64_t>().swap(scratch);
    for (size_t i = 0; i < items.size(); ++i) {
        const int32_t position = PositionOf(items[i]);
        if (i == 0 || position != axis.Edges.back().Position) AddEdge(axis, position);
        const size_t from = static_cast<uint32_t>(items[i]);
        if (from + 2 < sides.Count()) axis.Sides[from] = static_cast<uint32_t>(axis.Edges.size() - 1);
    }
}

TAxis CreateAxis(const TCellControlList& controls, bool horizontal, int32_t extent) {
    const TSides sides{controls, horizontal, extent};
    TAxis axis;
    axis.Sides.resize(sides.Count() - 2);
    if (!CreateAxisByTable(sides, axis)) CreateAxisByDigits(sides, axis);
    return axis;
}

// An entry in strip coordinates: it fills rows [Top, Bottom) and columns
// [Left, Right); entry k (from 1) wins over every earlier one.
struct TPlaced {
    size_t Top, Bottom, Left, Right;
    int32_t Entry;
};

// A stretch of columns [Begin, End) of one row filled by one entry.
struct TRun {
    size_t Begin, End;
    int32_t Entry;
};

// Columns [Begin, End) of a row that a row span from above covers.
struct TCover {
    size_t Begin, End;
};

// Which entry fills each column of every row: per row, the runs of the
// latest entry covering it (the upper envelope of the rectangles active in
// that row). Only filled stretches are stored.
class TOccupancy {
public:
    TOccupancy(const std::vector<TPlaced>& placed, size_t rowCount) {
        FRowStart.reserve(rowCount + 1);
        FRowStart.push_back(0);
        std::vector<std::vector<size_t>> startingAt(rowCount);
        for (size_t i = 0; i < placed.size(); ++i)
            if (placed[i].Top < placed[i].Bottom && placed[i].Left < placed[i].Right)
                startingAt[placed[i].Top].push_back(i);
        std::vector<size_t> active;
        for (size_t r = 0; r < rowCount; ++r) {
            std::erase_if(active, [&](size_t i) { return placed[i].Bottom <= r; });
            active.insert(active.end(), startingAt[r].begin(), startingAt[r].end());
            std::vector<size_t>().swap(startingAt[r]);
            AddEnvelope(placed, active);
            FRowStart.push_back(FRuns.size());
        }
    }

    std::span<const TRun> Row(size_t r) const {
        return {FRuns.data() + FRowStart[r], FRowStart[r + 1] - FRowStart[r]};
    }

    // The entry filling (r, c), 0 when none does.
    int32_t At(size_t r, size_t c) const {
        std::span<const TRun> runs = Row(r);
        auto it = std::upper_bound(runs.begin(), runs.end(), c, [](size_t col, const TRun& run) { return col < run.End; });
        return it != runs.end() && it->Begin <= c ? it->Entry : 0;
    }

private:
    // A sweep over the active rectangles by left edge, keeping the latest
    // open entry on top of a heap; entries already closed are dropped when
    // they surface.
    void AddEnvelope(const std::vector<TPlaced>& placed, std::vector<size_t>& active) {
        std::sort(active.begin(), active.end(), [&](size_t a, size_t b) { return placed[a].Left < placed[b].Left; });
        const size_t rowBegin = FRuns.size();
        std::priority_queue<std::pair<int32_t, size_t>> open;
        size_t next = 0, position = 0;
        while (next < active.size() || !open.empty()) {
            if (open.empty()) position = std::max(position, placed[active[next]].Left);
            while (next < active.size() && placed[active[next]].Left <= position) {
                const TPlaced& p = placed[active[next++]];
                open.push({p.Entry, p.Right});
            }
            while (!open.empty() && open.top().second <= position) open.pop();
            if (open.empty()) continue;
            size_t end = open.top().second;
            if (next < active.size()) end = std::min(end, placed[active[next]].Left);
            const int32_t entry = open.top().first;
            if (FRuns.size() > rowBegin && FRuns.back().End == position && FRuns.back().Entry == entry)
                FRuns.back().End = end;
            else
                FRuns.push_back({position, end, entry});
            position = end;
        }
    }

    std::vector<TRun> FRuns;
    std::vector<size_t> FRowStart;
};

}  // namespace

std::span<const TCellData> TCellTable::Rows(int index) const {
    if (index < 0 || index >= RowCount()) throw std::out_of_range("no such table row");
    const auto r = static_cast<size_t>(index);
    if (FRowShown == r) return FRow;
    // Empty stretches become one cell per column of nonzero size.
    FRow.clear();
    for (size_t i = FRowStart[r]; i < FRowStart[r + 1]; ++i) {
        const TRowItem& item = FItems[i];
        if (item.Cell >= 0) {
            FRow.push_back(FCells[static_cast<size_t>(item.Cell)]);
            continue;
        }
        for (uint32_t c = item.Begin; c < item.End; ++c)
            if (FColumnSizes[c] != 0) FRow.push_back({FColumnSizes[c], FRowHeights[r], 1, 1, nullptr});
    }
    FRowShown = r;
    return FRow;
}

void TCellTable::Build(const TCellControlList& controls, int32_t width, int32_t height) {
    Reset();
    try {
        BuildRows(controls, width, height);
    } catch (...) {
        // No half-built table stays behind.
        Reset();
        throw;
    }
}

void TCellTable::Reset() {
    FItems.clear();
    FCells.clear();
    FRowStart.assign(1, 0);
    FRowHeights.clear();
    FColumnSizes.clear();
    FRow.clear();
    FRowShown = SIZE_MAX;
    FCellCount = 0;
}

void TCellTable::AddCells(size_t count) {
    if (count > FMaxCells - FCellCount)
        throw Exception("the page table would need more than " + std::to_string(FMaxCells) +
                        " cells: every distinct control edge adds a row or a column of cells");
    FCellCount += count;
}

void TCellTable::BuildRows(const TCellControlList& controls, int32_t width, int32_t height) {
    // Sides are numbered in 32 bits, two to a control.
    if (controls.size() > (UINT32_MAX - 2) / 2) throw Exception("the page has too many controls for one table");
    const TAxis cols = CreateAxis(controls, true, width);
    const TAxis rows = CreateAxis(controls, false, height);
    // Edge indexes counted from 1 are the strip indexes counted from 0.
    std::vector<TPlaced> placed;
    placed.reserve(controls.size());
    for (size_t k = 0; k < controls.size(); ++k) {
        placed.push_back({rows.Sides[2 * k] + size_t{1}, rows.Sides[2 * k + 1] + size_t{1}, cols.Sides[2 * k] + size_t{1},
                          cols.Sides[2 * k + 1] + size_t{1}, static_cast<int32_t>(k + 1)});
    }
    const TOccupancy occupancy(placed, rows.Count());
    FColumnSizes.reserve(cols.Count());
    for (const TCellEdge& e : cols.Edges) FColumnSizes.push_back(e.Size);
    // Only the first strip can have size 0: edges are distinct.
    auto nonEmpty = [&cols](size_t begin, size_t end) { return end - begin - (begin == 0 && cols.Edges[0].Size == 0); };
    std::vector<std::vector<TCover>> covers(rows.Count());
    for (size_t r = 0; r < rows.Count(); ++r) {
        std::vector<TCover> rowCovers;
        rowCovers.swap(covers[r]);
        if (rows.Edges[r].Size == 0) continue;
        std::sort(rowCovers.begin(), rowCovers.end(), [](const TCover& a, const TCover& b) { return a.Begin < b.Begin; });
        const std::span<const TRun> runs = occupancy.Row(r);
        size_t c = 0, run = 0, cover = 0;
        while (c < cols.Count()) {
            while (cover < rowCovers.size() && rowCovers[cover].End <= c) ++cover;
            if (cover < rowCovers.size() && rowCovers[cover].Begin <= c) {
                c = rowCovers[cover].End;  // covered by a row span from above
                continue;
            }
            while (run < runs.size() && runs[run].End <= c) ++run;
            const size_t nextCover = cover < rowCovers.size() ? rowCovers[cover].Begin : cols.Count();
            if (run < runs.size() && runs[run].Begin <= c) {
                // One cell across the entry's columns up to the next cover,
                // spanning down the rows where the same entry fills column c.
                const int32_t entry = runs[run].Entry;
                const size_t end = std::min(runs[run].End, nextCover);
                size_t below = r + 1;
                for (; below < rows.Count() && occupancy.At(below, c) == entry; ++below) covers[below].push_back({c, end});
                AddCells(1);
                FItems.push_back({static_cast<uint32_t>(c), static_cast<uint32_t>(end), static_cast<int64_t>(FCells.size())});
                FCells.push_back({cols.SpanSize(c, end), rows.SpanSize(r, below), static_cast<int32_t>(end - c),
                                  static_cast<int32_t>(below - r), controls[static_cast<size_t>(entry) - 1].Control});
                c = end;
                continue;
            }
            // Empty columns are never merged: one cell each, made when the
            // row is read.
            const size_t end = std::min(run < runs.size() ? runs[run].Begin : cols.Count(), nextCover);
            AddCells(nonEmpty(c, end));
            FItems.push_back({static_cast<uint32_t>(c), static_cast<uint32_t>(end), -1});
            c = end;
        }
        FRowHeights.push_back(rows.Edges[r].Size);
        FRowStart.push_back(FItems.size());
    }
}

}  // namespace quill
