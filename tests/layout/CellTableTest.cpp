#include "layout/CellTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <stdexcept>
#include <vector>

#include "framework/Exception.h"

#include "framework/Shape.h"

namespace quill {

void PrintTo(const TCellData& c, std::ostream* os) {
    *os << "(" << c.Width << ", " << c.Height << ", " << c.ColSpan << ", " << c.RowSpan << ", " << c.Control << ")";
}

namespace {

using Rows = std::vector<std::vector<TCellData>>;

// Distinct controls to place; only their identity matters to the table.
class CellTable : public ::testing::Test {
protected:
    TComponent FOwner{nullptr};
    TControl* A = new TShape(&FOwner);
    TControl* B = new TShape(&FOwner);
    TControl* C = new TShape(&FOwner);

    static Rows Build(const TCellControlList& entries, int width, int height) {
        TCellTable table;
        table.Build(entries, width, height);
        return RowsOf(table);
    }
    static Rows RowsOf(const TCellTable& table) {
        Rows rows;
        for (int r = 0; r < table.RowCount(); ++r) rows.emplace_back(table.Rows(r).begin(), table.Rows(r).end());
        return rows;
    }
};

TEST_F(CellTable, WorkedExample) {
    EXPECT_EQ(Build({{A, {12, 48, 106, 67}}}, 368, 0),
              (Rows{{{12, 48, 1, 1, nullptr}, {94, 48, 1, 1, nullptr}, {262, 48, 1, 1, nullptr}},
                    {{12, 19, 1, 1, nullptr}, {94, 19, 1, 1, A}, {262, 19, 1, 1, nullptr}}}));
}

TEST_F(CellTable, EmptyListHasNoRowsUnlessGivenAHeight) {
    EXPECT_EQ(Build({}, 368, 0), Rows{});
    EXPECT_EQ(Build({}, 100, 50), (Rows{{{100, 50, 1, 1, nullptr}}}));
    EXPECT_EQ(Build({}, 0, 50), (Rows{{}}));
}

TEST_F(CellTable, ControlFillingTheWidthOrLeavingAFiller) {
    EXPECT_EQ(Build({{A, {0, 0, 80, 20}}}, 80, 0), (Rows{{{80, 20, 1, 1, A}}}));
    EXPECT_EQ(Build({{A, {0, 0, 80, 20}}}, 100, 0), (Rows{{{80, 20, 1, 1, A}, {20, 20, 1, 1, nullptr}}}));
}

TEST_F(CellTable, ColumnSpanWhenCutByAnotherControlsEdge) {
    EXPECT_EQ(Build({{A, {0, 0, 100, 50}}, {B, {0, 50, 40, 80}}}, 100, 0),
              (Rows{{{100, 50, 2, 1, A}}, {{40, 30, 1, 1, B}, {60, 30, 1, 1, nullptr}}}));
}

TEST_F(CellTable, RowSpanAndAdjacentEmptyStripsStaySeparate) {
    EXPECT_EQ(Build({{A, {0, 0, 40, 80}}, {B, {40, 0, 100, 30}}, {C, {120, 0, 130, 10}}}, 130, 0),
              (Rows{{{40, 80, 1, 3, A}, {60, 30, 1, 2, B}, {20, 10, 1, 1, nullptr}, {10, 10, 1, 1, C}},
                    {{20, 20, 1, 1, nullptr}, {10, 20, 1, 1, nullptr}},
                    {{60, 50, 1, 1, nullptr}, {20, 50, 1, 1, nullptr}, {10, 50, 1, 1, nullptr}}}));
}

TEST_F(CellTable, RowCoveredByRowSpansHasNoCells) {
    // The zero-size C splits the rows at 30 but fills nothing itself.
    EXPECT_EQ(Build({{A, {0, 0, 50, 60}}, {B, {50, 0, 100, 60}}, {C, {0, 30, 0, 30}}}, 100, 0),
              (Rows{{{50, 60, 1, 2, A}, {50, 60, 1, 2, B}}, {}}));
}

TEST_F(CellTable, LaterControlWinsWhereControlsOverlap) {
    EXPECT_EQ(Build({{A, {0, 0, 100, 20}}, {B, {40, 0, 60, 20}}}, 100, 0),
              (Rows{{{40, 20, 1, 1, A}, {20, 20, 1, 1, B}, {40, 20, 1, 1, A}}}));
    Rows covered = Build({{A, {10, 10, 20, 20}}, {B, {0, 0, 30, 30}}}, 30, 0);
    for (const auto& row : covered)
        for (const TCellData& cell : row) EXPECT_NE(cell.Control, A);
}

TEST_F(CellTable, RowSpanChecksOnlyItsFirstColumnAndHidesWhatItCovers) {
    Rows rows = Build({{A, {0, 0, 40, 40}}, {B, {20, 20, 40, 40}}}, 40, 0);
    EXPECT_EQ(rows, (Rows{{{40, 40, 2, 2, A}}, {}}));
}

TEST_F(CellTable, ControlBeyondTheWidthAddsColumnsToTheRight) {
    EXPECT_EQ(Build({{A, {0, 0, 150, 10}}, {B, {0, 10, 10, 20}}}, 100, 0),
              (Rows{{{150, 10, 3, 1, A}},
                    {{10, 10, 1, 1, B}, {90, 10, 1, 1, nullptr}, {50, 10, 1, 1, nullptr}}}));
}

TEST_F(CellTable, NegativeCoordinatesGiveALeadingStripOfNegativeSize) {
    EXPECT_EQ(Build({{A, {-10, 0, 20, 10}}}, 50, 0),
              (Rows{{{-10, 10, 1, 1, nullptr}, {30, 10, 2, 1, A}, {30, 10, 1, 1, nullptr}}}));
    EXPECT_EQ(Build({{A, {0, -5, 50, 10}}}, 50, 0),
              (Rows{{{50, -5, 1, 1, nullptr}}, {{50, 15, 1, 2, A}}, {}}));
}

TEST_F(CellTable, EqualCoordinatesGiveOneEdge) {
    EXPECT_EQ(Build({{A, {0, 0, 50, 10}}, {B, {50, 0, 100, 10}}}, 100, 0),
              (Rows{{{50, 10, 1, 1, A}, {50, 10, 1, 1, B}}}));
}

TEST_F(CellTable, RowsReadInAnyOrderAndAgainGiveTheSameCells) {
    // Empty stretches are made into cells when their row is read.
    TCellTable table;
    table.Build({{A, {10, 0, 20, 10}}, {B, {0, 10, 30, 20}}}, 40, 0);
    const Rows expected{{{10, 10, 1, 1, nullptr}, {10, 10, 1, 1, A}, {10, 10, 1, 1, nullptr}, {10, 10, 1, 1, nullptr}},
                        {{30, 10, 3, 1, B}, {10, 10, 1, 1, nullptr}}};
    for (int r : {1, 0, 0, 1}) {
        const auto row = table.Rows(r);
        EXPECT_EQ(Rows::value_type(row.begin(), row.end()), expected[static_cast<size_t>(r)]) << "row " << r;
    }
    EXPECT_THROW(table.Rows(2), std::out_of_range);
    EXPECT_THROW(table.Rows(-1), std::out_of_range);
    table.Build({}, 40, 0);
    EXPECT_EQ(table.RowCount(), 0);
    EXPECT_THROW(table.Rows(0), std::out_of_range);
}

TEST_F(CellTable, RebuildingKeepsOnlyTheNewTable) {
    TCellTable table;
    table.Build({{A, {0, 0, 10, 10}}, {B, {10, 10, 20, 20}}}, 20, 0);
    table.Build({{C, {0, 0, 5, 5}}}, 5, 0);
    EXPECT_EQ(RowsOf(table), (Rows{{{5, 5, 1, 1, C}}}));
}

TEST_F(CellTable, SizesNearThe32BitLimitsSaturate) {
    const int32_t max = INT32_MAX, min = INT32_MIN;
    EXPECT_EQ(Build({{A, {min, 0, max, 10}}}, 0, 0),
              (Rows{{{min, 10, 1, 1, nullptr}, {max, 10, 2, 1, A}}}));
}

TEST_F(CellTable, TooManyCellsIsAClearErrorAndLeavesNoRows) {
    TCellTable table(5);
    table.Build({{A, {0, 0, 10, 10}}}, 20, 10);
    EXPECT_EQ(table.CellCount(), 2u);
    EXPECT_THROW(table.Build({{A, {0, 0, 10, 10}}, {B, {10, 10, 20, 20}}, {C, {20, 20, 30, 30}}}, 30, 0), Exception);
    EXPECT_EQ(table.RowCount(), 0);
    EXPECT_EQ(table.CellCount(), 0u);
}

// The table as the grid rule defines it, square by square: the reference
// that the run-based build must match on any placement.
Rows ReferenceTable(const TCellControlList& entries, int width, int height) {
    auto edges = [&](bool h, int extent) {
        std::vector<int> e{0, extent};
        for (const auto& c : entries) {
            e.push_back(h ? c.Bounds.Left : c.Bounds.Top);
            e.push_back(h ? c.Bounds.Right : c.Bounds.Bottom);
        }
        std::sort(e.begin(), e.end());
        e.erase(std::unique(e.begin(), e.end()), e.end());
        return e;
    };
    const std::vector<int> cols = edges(true, width), rows = edges(false, height);
    auto size = [](const std::vector<int>& e, size_t i) { return e[i] - (i ? e[i - 1] : 0); };
    auto index = [](const std::vector<int>& e, int p) { return size_t(std::find(e.begin(), e.end(), p) - e.begin()) + 1; };
    std::vector<std::vector<int>> grid(rows.size(), std::vector<int>(cols.size(), 0));
    for (size_t k = 0; k < entries.size(); ++k) {
        const TRect& b = entries[k].Bounds;
        for (size_t r = index(rows, b.Top); r < index(rows, b.Bottom); ++r)
            for (size_t c = index(cols, b.Left); c < index(cols, b.Right); ++c) grid[r][c] = int(k + 1);
    }
    Rows result;
    for (size_t r = 0; r < rows.size(); ++r) {
        if (size(rows, r) == 0) continue;
        result.emplace_back();
        for (size_t c = 0; c < cols.size(); ++c) {
            int v = grid[r][c];
            if (size(cols, c) == 0 || v < 0) continue;
            TCellData cell{size(cols, c), size(rows, r), 1, 1, v > 0 ? entries[v - 1].Control : nullptr};
            for (size_t c2 = c + 1; v > 0 && c2 < cols.size() && grid[r][c2] == v; ++c2)
                grid[r][c2] = -1, cell.Width += size(cols, c2), ++cell.ColSpan;
            for (size_t r2 = r + 1; v > 0 && r2 < rows.size() && grid[r2][c] == v; ++r2) {
                for (int i = 0; i < cell.ColSpan; ++i) grid[r2][c + i] = -1;
                cell.Height += size(rows, r2), ++cell.RowSpan;
            }
            result.back().push_back(cell);
        }
    }
    return result;
}

TEST_F(CellTable, MatchesTheSquareBySquareRuleOnRandomOverlappingPlacements) {
    std::vector<TControl*> controls;
    for (int i = 0; i < 12; ++i) controls.push_back(new TShape(&FOwner));
    unsigned seed = 12345;
    auto next = [&](int n) {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 16) % unsigned(n));
    };
    for (int round = 0; round < 400; ++round) {
        TCellControlList entries;
        const int count = 1 + next(12);
        for (int i = 0; i < count; ++i) {
            // Coarse coordinates so edges coincide and controls overlap often.
            int left = next(8) * 5 - 5, top = next(8) * 5 - 5;
            entries.push_back({controls[i], {left, top, left + next(5) * 5, top + next(5) * 5}});
        }
        const int width = next(10) * 5, height = next(3) * 10;
        ASSERT_EQ(Build(entries, width, height), ReferenceTable(entries, width, height)) << "round " << round;
    }
}

TEST_F(CellTable, MatchesTheRuleWithEnoughEdgesToBeSortedByDigits) {
    // Over 256 edges an axis is sorted digit by digit: positions from all
    // digit ranges, negative ones included, and many equal ones.
    std::vector<TControl*> controls;
    for (int i = 0; i < 150; ++i) controls.push_back(new TShape(&FOwner));
    const int bases[] = {-(1 << 28), -4'194'304, -2049, -1, 0, 1, 2047, 2048, 4'194'303, 1 << 28};
    unsigned seed = 777;
    auto next = [&](int n) {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 16) % unsigned(n));
    };
    for (int round = 0; round < 4; ++round) {
        TCellControlList entries;
        for (TControl* control : controls) {
            const int left = bases[next(10)] + next(4), top = bases[next(10)] + next(4);
            entries.push_back({control, {left, top, left + next(3) * 3000, top + next(3) * 3000}});
        }
        ASSERT_EQ(Build(entries, 5000, 0), ReferenceTable(entries, 5000, 0)) << "round " << round;
    }
}

}  // namespace
}  // namespace quill
