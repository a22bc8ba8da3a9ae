#pragma once

#include <optional>
#include <vector>

#include "framework/Control.h"

namespace quill::studio {

// Where a dragged box or edge goes: onto a nearby edge of another control
// when one is within reach (and that edge is shown as a guide line), else
// onto the grid when the grid is on. Edges are sorted once per drag, so
// one step costs a few binary searches however many controls there are.
class TSnapper {
public:
    // Edges of the controls that stay put, in canvas coordinates.
    void SetEdges(std::vector<int> xs, std::vector<int> ys);
    void SetGrid(int step) { FGrid = step; }  // 0: no grid
    void SetReach(int pixels) { FReach = pixels; }

    struct TMove {
        int Dx = 0;
        int Dy = 0;
        std::optional<int> GuideX;
        std::optional<int> GuideY;
    };
    // How far to shift `box` so that it snaps.
    TMove Snap(const TRect& box) const;

    // One edge's snapped position; `guide` set when it met another edge.
    int SnapX(int x, std::optional<int>& guide) const { return SnapOne(FXs, x, guide); }
    int SnapY(int y, std::optional<int>& guide) const { return SnapOne(FYs, y, guide); }

private:
    // The shift that brings the nearer of the two edges onto an edge within
    // reach, or the first onto the grid.
    int Shift(const std::vector<int>& edges, int first, int second, std::optional<int>& guide) const;
    int SnapOne(const std::vector<int>& edges, int value, std::optional<int>& guide) const;
    // The nearest edge to `value` within reach.
    std::optional<int> Nearest(const std::vector<int>& edges, int value) const;

    std::vector<int> FXs;
    std::vector<int> FYs;
    int FGrid = 8;
    int FReach = 5;
};

}  // namespace quill::studio
