#pragma once

#include <cstdint>
#include <vector>

#include "awt/LayoutManager.h"

namespace awt {

// A grid filled row by row, whose columns are as wide as their widest child
// and whose rows are as high as their highest. The grid as a whole, and each
// child within its cell, can be aligned or stretched to fill.
class GridFlowLayout : public LayoutManager {
public:
    static constexpr int32_t FILL = 0;
    static constexpr int32_t TOP = 1;
    static constexpr int32_t BOTTOM = 2;
    static constexpr int32_t LEFT = 3;
    static constexpr int32_t RIGHT = 4;
    static constexpr int32_t CENTER = 5;

    // One of rows and cols may be 0: it follows from the child count.
    GridFlowLayout(int32_t rows, int32_t cols);

    void addLayoutComponent(Component*, const Constraints*) override {}
    void removeLayoutComponent(Component*) override {}
    Size preferredLayoutSize(Container& parent) override;
    void layoutContainer(Container& parent) override;

    // FILL, LEFT, RIGHT or CENTER.
    void setHorizontalAlignment(int32_t alignment) { horizontalAlignment_ = alignment; }
    // FILL, TOP, BOTTOM or CENTER.
    void setVerticalAlignment(int32_t alignment) { verticalAlignment_ = alignment; }
    void setCellHorizontalAlignment(int32_t alignment) { cellHorizontalAlignment_ = alignment; }
    void setCellVerticalAlignment(int32_t alignment) { cellVerticalAlignment_ = alignment; }
    void setHgap(int32_t hgap) { hgap_ = hgap; }
    void setVgap(int32_t vgap) { vgap_ = vgap; }

private:
    struct Grid {
        int32_t count = 0;
        std::vector<int32_t> widths;
        std::vector<int32_t> heights;
        int32_t contentWidth = 0;
        int32_t contentHeight = 0;
    };

    Grid measure(Container& parent) const;

    int32_t horizontalAlignment_ = FILL;
    int32_t verticalAlignment_ = FILL;
    int32_t cellHorizontalAlignment_ = FILL;
    int32_t cellVerticalAlignment_ = FILL;
    int32_t rows_;
    int32_t cols_;
    int32_t hgap_ = 0;
    int32_t vgap_ = 0;
};

}  // namespace awt
