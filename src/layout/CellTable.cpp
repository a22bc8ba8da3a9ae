#include "layout/CellTable.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <memory>
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
void SortByKey(std::vector<uint64_t>& items, std::vector<uint64_t>& scratch, std::vector<size_t>& counts) {
    if (items.size() < 256) {
        std::sort(items.begin(), items.end());
        return;
    }
    constexpr int kBits = 11;
    constexpr size_t kDigits = size_t{1} << kBits;
    counts.assign(3 * kDigits, 0);
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

    void Clear() {
        Edges.clear();
        Sums.assign(1, 0);
        Sides.clear();
    }
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

// Positions within a span not much wider than their count (as on large
// pages) are sorted by marking each in a table over the span. The last
// two positions are the origin and the extent, which no control owns.
bool CreateAxisByTable(const std::vector<int32_t>& positions, std::vector<uint32_t>& index, TAxis& axis) {
    const auto [low, high] = std::minmax_element(positions.begin(), positions.end());
    const uint64_t span = uint64_t(int64_t{*high} - *low) + 1;
    if (span > 4 * uint64_t{positions.size()}) return false;
    const int64_t origin = *low;
    index.assign(span, 0);
    for (int32_t p : positions) index[static_cast<size_t>(p - origin)] = 1;
    for (size_t p = 0; p < span; ++p) {
        if (index[p] == 0) continue;
        index[p] = static_cast<uint32_t>(axis.Edges.size());
        AddEdge(axis, static_cast<int32_t>(origin + static_cast<int64_t>(p)));
    }
    for (size_t from = 0; from < axis.Sides.size(); ++from)
        axis.Sides[from] = index[static_cast<size_t>(positions[from] - origin)];
    return true;
}

// Any positions: sorted by digits with their origins in the low bits.
void CreateAxisByDigits(const std::vector<int32_t>& positions, std::vector<uint64_t>& items,
                        std::vector<uint64_t>& scratch, std::vector<size_t>& counts, TAxis& axis) {
    items.clear();
    for (size_t from = 0; from < positions.size(); ++from) items.push_back(uint64_t{KeyOf(positions[from])} << 32 | from);
    SortByKey(items, scratch, counts);
    for (size_t i = 0; i < items.size(); ++i) {
        const int32_t position = PositionOf(items[i]);
        if (i == 0 || position != axis.Edges.back().Position) AddEdge(axis, position);
        const size_t from = static_cast<uint32_t>(items[i]);
        if (from < axis.Sides.size()) axis.Sides[from] = static_cast<uint32_t>(axis.Edges.size() - 1);
    }
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

}  // namespace

// What a build needs only while it runs. A small table keeps it for the
// next build, so a page made again allocates nothing here.
struct TCellTable::TWork {
    std::vector<int32_t> Positions;
    std::vector<uint32_t> Index;
    std::vector<uint64_t> Items, Scratch;
    std::vector<size_t> Counts;
    TAxis Cols, Rows;
    std::vector<TPlaced> Placed;
    // The placed entries that fill something, by their first row: those of
    // row r are Starting[StartAt[r]] to Starting[StartAt[r + 1]] - 1.
    std::vector<size_t> StartAt, Starting;
    // The entries filling the current row, by left edge; Merged is the
    // next row's list while it is made.
    std::vector<size_t> Active, Merged, ByLeft;
    std::vector<std::pair<int32_t, size_t>> Open;  // a heap of (entry, right edge)
    // Which entry fills each column of every row: per row, the runs of the
    // latest entry covering it (the upper envelope of the rectangles active
    // in that row). Only filled stretches are stored.
    std::vector<TRun> Runs;
    std::vector<size_t> RunStart;
    std::vector<std::vector<TCover>> Covers;
    std::vector<TCover> RowCovers;

    void CreateAxis(const TCellControlList& controls, bool horizontal, int32_t extent, TAxis& axis);
    void FindOccupancy(size_t rowCount, size_t colCount);
    void NextActive(size_t row);
    void AddEnvelope();
    std::span<const TRun> Row(size_t r) const { return {Runs.data() + RunStart[r], RunStart[r + 1] - RunStart[r]}; }
    // The entry filling (r, c), 0 when none does.
    int32_t At(size_t r, size_t c) const {
        std::span<const TRun> runs = Row(r);
        auto it = std::upper_bound(runs.begin(), runs.end(), c, [](size_t col, const TRun& run) { return col < run.End; });
        return it != runs.end() && it->Begin <= c ? it->Entry : 0;
    }
};

void TCellTable::TWork::CreateAxis(const TCellControlList& controls, bool horizontal, int32_t extent, TAxis& axis) {
    // Control k's sides at 2k and 2k + 1, then the origin and the extent.
    Positions.clear();
    for (const TCellControl& c : controls) {
        Positions.push_back(horizontal ? c.Bounds.Left : c.Bounds.Top);
        Positions.push_back(horizontal ? c.Bounds.Right : c.Bounds.Bottom);
    }
    Positions.push_back(0);
    Positions.push_back(extent);
    axis.Clear();
    axis.Sides.resize(2 * controls.size());
    if (!CreateAxisByTable(Positions, Index, axis)) CreateAxisByDigits(Positions, Items, Scratch, Counts, axis);
}

void TCellTable::TWork::FindOccupancy(size_t rowCount, size_t colCount) {
    // The filling entries in order of their left edge, by counting: strip
    // indexes run from 1 to colCount.
    auto fills = [](const TPlaced& p) { return p.Top < p.Bottom && p.Left < p.Right; };
    Counts.assign(colCount + 2, 0);
    for (const TPlaced& p : Placed)
        if (fills(p)) ++Counts[p.Left + 1];
    for (size_t c = 0; c + 1 < Counts.size(); ++c) Counts[c + 1] += Counts[c];
    ByLeft.resize(Counts.back());
    for (size_t i = 0; i < Placed.size(); ++i)
        if (fills(Placed[i])) ByLeft[Counts[Placed[i].Left]++] = i;
    // Then by first row, keeping that order within each row: those of row
    // r are Starting[StartAt[r]] to Starting[StartAt[r + 1]] - 1.
    StartAt.assign(rowCount + 1, 0);
    for (size_t i : ByLeft) ++StartAt[Placed[i].Top + 1];
    for (size_t r = 0; r < rowCount; ++r) StartAt[r + 1] += StartAt[r];
    Starting.resize(StartAt[rowCount]);
    for (size_t i : ByLeft) Starting[StartAt[Placed[i].Top]++] = i;
    // Each row's start moved on to its end: shift them back by one row.
    for (size_t r = rowCount; r > 0; --r) StartAt[r] = StartAt[r - 1];
    StartAt[0] = 0;
    Active.clear();
    Runs.clear();
    RunStart.assign(1, 0);
    for (size_t r = 0; r < rowCount; ++r) {
        NextActive(r);
        AddEnvelope();
        RunStart.push_back(Runs.size());
    }
}

// The entries still open in the row merged with those starting in it,
// both in order of their left edge: linear in the two, with no sorting.
void TCellTable::TWork::NextActive(size_t row) {
    const size_t* starting = Starting.data() + StartAt[row];
    const size_t* startingEnd = Starting.data() + StartAt[row + 1];
    if (starting == startingEnd) {
        std::erase_if(Active, [&](size_t i) { return Placed[i].Bottom <= row; });
        return;
    }
    Merged.clear();
    for (size_t i : Active) {
        if (Placed[i].Bottom <= row) continue;
        while (starting != startingEnd && Placed[*starting].Left < Placed[i].Left) Merged.push_back(*starting++);
        Merged.push_back(i);
    }
    Merged.insert(Merged.end(), starting, startingEnd);
    Active.swap(Merged);
}

// The latest entry on top wherever entries overlap: a sweep by left edge
// with the open entries in a heap, those already closed dropped when they
// surface. Side by side entries, as most rows hold, are their own runs.
void TCellTable::TWork::AddEnvelope() {
    bool apart = true;
    for (size_t k = 1; k < Active.size() && apart; ++k) apart = Placed[Active[k - 1]].Right <= Placed[Active[k]].Left;
    if (apart) {
        for (size_t i : Active) Runs.push_back({Placed[i].Left, Placed[i].Right, Placed[i].Entry});
        return;
    }
    const size_t rowBegin = Runs.size();
    Open.clear();
    auto pop = [this] {
        std::pop_heap(Open.begin(), Open.end());
        Open.pop_back();
    };
    size_t next = 0, position = 0;
    while (next < Active.size() || !Open.empty()) {
        if (Open.empty()) position = std::max(position, Placed[Active[next]].Left);
        while (next < Active.size() && Placed[Active[next]].Left <= position) {
            const TPlaced& p = Placed[Active[next++]];
            Open.push_back({p.Entry, p.Right});
            std::push_heap(Open.begin(), Open.end());
        }
        while (!Open.empty() && Open.front().second <= position) pop();
        if (Open.empty()) continue;
        size_t end = Open.front().second;
        if (next < Active.size()) end = std::min(end, Placed[Active[next]].Left);
        const int32_t entry = Open.front().first;
        if (Runs.size() > rowBegin && Runs.back().End == position && Runs.back().Entry == entry)
            Runs.back().End = end;
        else
            Runs.push_back({position, end, entry});
        position = end;
    }
}

TCellTable::TCellTable(size_t maxCells) : FMaxCells(maxCells) {}
TCellTable::~TCellTable() = default;

std::span<const TCellData> TCellTable::Rows
(int index) const {
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
    if (!FWork) FWork = std::make_unique<TWork>();
    // A big table's scratch space goes as soon as it is built.
    struct TRelease {
        std::unique_ptr<TWork>& Work;
        ~TRelease() {
            if (Work->Cols.Count() + Work->Rows.Count() > 4096) Work.reset();
        }
    } release{FWork};
    try {
        BuildRows(controls, width, height, *FWork);
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

void TCellTable::TooManyCells() const {
    throw Exception("the page table would need more than " + std::to_string(FMaxCells) +
                    " cells: every distinct control edge adds a row or a column of cells");
}

void TCellTable::BuildRows(const TCellControlList& controls, int32_t width, int32_t height, TWork& work) {
    // Sides are numbered in 32 bits, two to a control.
    if (controls.size() > (UINT32_MAX - 2) / 2) throw Exception("the page has too many controls for one table");
    const TAxis& cols = work.Cols;
    const TAxis& rows = work.Rows;
    work.CreateAxis(controls, true, width, work.Cols);
    work.CreateAxis(controls, false, height, work.Rows);
    // Edge indexes counted from 1 are the strip indexes counted from 0.
    work.Placed.clear();
    for (size_t k = 0; k < controls.size(); ++k) {
        work.Placed.push_back({rows.Sides[2 * k] + size_t{1}, rows.Sides[2 * k + 1] + size_t{1},
                               cols.Sides[2 * k] + size_t{1}, cols.Sides[2 * k + 1] + size_t{1},
                               static_cast<int32_t>(k + 1)});
    }
    work.FindOccupancy(rows.Count(), cols.Count());
    const TWork& occupancy = work;
    FColumnSizes.reserve(cols.Count());
    for (const TCellEdge& e : cols.Edges) FColumnSizes.push_back(e.Size);
    // Only the first strip can have size 0: edges are distinct.
    auto nonEmpty = [&cols](size_t begin, size_t end) { return end - begin - (begin == 0 && cols.Edges[0].Size == 0); };
    std::vector<std::vector<TCover>>& covers = work.Covers;
    for (std::vector<TCover>& c : covers) c.clear();
    covers.resize(rows.Count());
    std::vector<TCover>& rowCovers = work.RowCovers;
    for (size_t r = 0; r < rows.Count(); ++r) {
        rowCovers.clear();
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
