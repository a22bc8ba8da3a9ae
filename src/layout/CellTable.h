#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
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
//
// Build works row by row on runs of columns, never on the whole grid, so
// its time and memory follow the cells it produces. Sizes summed over a
// span stop at the 32-bit limits instead of wrapping.
class TCellTable {
public:
    // The most cells a table may hold: every cell becomes a line of the
    // page, so this bounds a page to a few hundred megabytes.
    static constexpr size_t kDefaultMaxCells = 10'000'000;

    explicit TCellTable(size_t maxCells = kDefaultMaxCells);
    ~TCellTable();
    TCellTable(const TCellTable&) = delete;
    TCellTable& operator=(const TCellTable&) = delete;

    // Raises Exception when the table would hold more than the most cells.
    void Build(const TCellControlList& controls, int32_t width, int32_t height);

    int RowCount() const { return static_cast<int>(FRowHeights.size()); }
    // The cells of one row, left to right. The row is made when asked for:
    // the span holds until another row is asked for or the table is built
    // again.
    std::span<const TCellData> Rows(int index) const;
    size_t CellCount() const { return FCellCount; }
    // The grid's strips, for drawing it: each row's height, top to bottom,
    // and each column's width, left to right. The first column may be 0
    // wide, and then no cell takes it. Valid until the next Build.
    std::span<const int32_t> RowHeights() const { return FRowHeights; }
    std::span<const int32_t> ColumnSizes() const { return FColumnSizes; }
    size_t MaxCells() const { return FMaxCells; }

private:
    void Reset();
    void AddCells(size_t count) {
        if (count > FMaxCells - FCellCount) TooManyCells();
        FCellCount += count;
    }
    [[noreturn]] void TooManyCells() const;
    struct TWork;
    void BuildRows(const TCellControlList& controls, int32_t width, int32_t height, TWork& work);

    // A row is kept as a list of items, each a control's cell or a stretch
    // of empty columns [Begin, End): a page of mostly empty cells keeps a
    // few bytes a row, not a record a cell.
    struct TRowItem {
        uint32_t Begin, End;
        int64_t Cell;  // index into FCells, or -1 for empty columns
    };
    std::vector<TRowItem> FItems;
    std::vector<TCellData> FCells;
    std::vector<size_t> FRowStart{0};  // row r's items are [FRowStart[r], FRowStart[r + 1])
    std::vector<int32_t> FRowHeights;
    std::vector<int32_t> FColumnSizes;
    mutable std::vector<TCellData> FRow;
    mutable size_t FRowShown = SIZE_MAX;
    size_t FCellCount = 0;
    size_t FMaxCells;
    std::unique_ptr<TWork> FWork;
};

}  // namespace quill
