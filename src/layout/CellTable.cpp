#include "layout/CellTable.h"

#include <algorithm>
#include <cassert>

namespace quill {

namespace {

// The 1-based index of the edge at `position`, 0 when there is none.
size_t EdgeIndex(const std::vector<TCellEdge>& edges, int32_t position) {
    auto it = std::lower_bound(edges.begin(), edges.end(), position,
                               [](const TCellEdge& e, int32_t p) { return e.Position < p; });
    return it != edges.end() && it->Position == position ? static_cast<size_t>(it - edges.begin()) + 1 : 0;
}

}  // namespace

std::span<const TCellData> TCellTable::Rows(int index) const {
    size_t begin = FRowStarts.at(index);
    size_t end = index + 1 < RowCount() ? FRowStarts[index + 1] : FCells.size();
    return {FCells.data() + begin, end - begin};
}

void TCellTable::Build(const TCellControlList& controls, int32_t width, int32_t height) {
    FCells.clear();
    FRowStarts.clear();
    // The scratch goes on every path out, also when building fails.
    struct TScratchGuard {
        TCellTable& Table;
        ~TScratchGuard() {
            Table.FColEdges = {};
            Table.FRowEdges = {};
            Table.FGrid = {};
        }
    } guard{*this};
    FColEdges = CreateEdges(controls, true, width);
    FRowEdges = CreateEdges(controls, false, height);
    FillGrid(controls);
    BuildCells(controls);
}

std::vector<TCellEdge> TCellTable::CreateEdges(const TCellControlList& controls, bool horizontal,
                                               int32_t extent) const {
    std::vector<TCellEdge> edges;
    edges.reserve(2 + 2 * controls.size());
    edges.push_back({0, 0});
    edges.push_back({extent, 0});
    for (const TCellControl& c : controls) {
        edges.push_back({horizontal ? c.Bounds.Left : c.Bounds.Top, 0});
        edges.push_back({horizontal ? c.Bounds.Right : c.Bounds.Bottom, 0});
    }
    std::sort(edges.begin(), edges.end(), [](const TCellEdge& a, const TCellEdge& b) { return a.Position < b.Position; });
    edges.erase(std::unique(edges.begin(), edges.end(),
                            [](const TCellEdge& a, const TCellEdge& b) { return a.Position == b.Position; }),
                edges.end());
    int32_t previous = 0;
    for (TCellEdge& e : edges) {
        e.Size = e.Position - previous;
        previous = e.Position;
    }
    return edges;
}

void TCellTable::FillGrid(const TCellControlList& controls) {
    FGrid.assign(FRowEdges.size() * FColEdges.size(), 0);
    for (size_t k = 0; k < controls.size(); ++k) {
        const TRect& b = controls[k].Bounds;
        // Edge indexes counted from 1 are the strip indexes counted from 0.
        size_t c1 = EdgeIndex(FColEdges, b.Left), c2 = EdgeIndex(FColEdges, b.Right);
        size_t r1 = EdgeIndex(FRowEdges, b.Top), r2 = EdgeIndex(FRowEdges, b.Bottom);
        for (size_t r = r1; r < r2; ++r)
            for (size_t c = c1; c < c2; ++c) Grid(r, c) = static_cast<int32_t>(k + 1);
    }
}

void TCellTable::BuildCells(const TCellControlList& controls) {
    for (size_t r = 0; r < FRowEdges.size(); ++r) {
        if (FRowEdges[r].Size == 0) continue;
        // A row whose columns are all covered from above stays, empty.
        FRowStarts.push_back(FCells.size());
        for (size_t c = 0; c < FColEdges.size(); ++c) {
            if (FColEdges[c].Size == 0) continue;
            int32_t v = Grid(r, c);
            if (v < 0) continue;
            TCellData cell;
            cell.Width = FColEdges[c].Size;
            cell.Height = FRowEdges[r].Size;
            cell.ColSpan = MeasureColSpan(r, c, cell.Width);
            cell.RowSpan = MeasureRowSpan(r, c, cell.ColSpan, cell.Height);
            cell.Control = v > 0 ? controls[v - 1].Control : nullptr;
            FCells.push_back(cell);
        }
    }
}

int32_t TCellTable::MeasureColSpan(size_t row, size_t col, int32_t& width) {
    const int32_t v = Grid(row, col);
    int32_t span = 1;
    if (v <= 0) return span;  // empty areas are never merged
    for (size_t c = col + 1; c < FColEdges.size() && Grid(row, c) == v; ++c) {
        Grid(row, c) = -1;
        width += FColEdges[c].Size;
        ++span;
    }
    return span;
}

int32_t TCellTable::MeasureRowSpan(size_t row, size_t col, int32_t colSpan, int32_t& height) {
    const int32_t v = Grid(row, col);
    int32_t span = 1;
    if (v <= 0) return span;
    // Only the first column is compared below; the whole width is covered.
    for (size_t r = row + 1; r < FRowEdges.size() && Grid(r, col) == v; ++r) {
        assert(col + colSpan <= FColEdges.size());
        std::fill_n(&Grid(r, col), colSpan, -1);
        height += FRowEdges[r].Size;
        ++span;
    }
    return span;
}

}  // namespace quill
