#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "framework/Control.h"

namespace quill {

// One placed control: the control (not owned) and its bounds in the page
// root's client coordinates. Any values are accepted.
struct TCellControl {
    TControl* Control = nullptr;
    TRect Bounds;
};
using TCellControlList = std::vector<TCellControl>;

// One grid line of one axis; Size is the distance from the previous line
// (from 0 for the first).
struct TCellEdge {
    int32_t Position = 0;
    int32_t Size = 0;
};

// One table cell.
struct TCellData {
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t ColSpan = 1;
    int32_t RowSpan = 1;
    TControl* Control = nullptr;  // none for an empty cell; not owned
    bool operator==(const TCellData&) const = default;
};

// Turns control rectangles into table rows whose grid lines are exactly the
// controls' edges, the origin and the given extents. Each control fills a
// rectangle of grid cells and becomes one cell spanning them; where
// controls overlap the later one wins. Empty areas stay one cell per grid
// cell.
class TCellTable {
public:
    void Build(const TCellControlList& controls, int32_t width, int32_t height);

    int RowCount() const { return static_cast<int>(FRowStarts.size()); }
    std::span<const TCellData> Rows(int index) const;

private:
    std::vector<TCellEdge> CreateEdges(const TCellControlList& controls, bool horizontal, int32_t extent) const;
    void FillGrid(const TCellControlList& controls);
    void BuildCells(const TCellControlList& controls);
    int32_t MeasureColSpan(size_t row, size_t col, int32_t& width);
    int32_t MeasureRowSpan(size_t row, size_t col, int32_t colSpan, int32_t& height);
    int32_t& Grid(size_t row, size_t col) { return FGrid[row * FColEdges.size() + col]; }

    // Only the rows outlive Build: the cells of all rows in one block.
    std::vector<TCellData> FCells;
    std::vector<size_t> FRowStarts;
    // Scratch of one Build: edges and the occupancy grid (0 empty, k > 0
    // filled by entry k counted from 1, -1 covered by a span).
    std::vector<TCellEdge> FColEdges;
    std::vector<TCellEdge> FRowEdges;
    std::vector<int32_t> FGrid;
};

}  // namespace quill
