#include "awt/GridFlowLayout.h"

#include <algorithm>
#include <utility>

#include "awt/Container.h"
#include "core/Exception.h"

namespace awt {

namespace {

// Lengths with one gap before each one that takes room after the first.
int32_t spanOf(const std::vector<int32_t>& lengths, int32_t gap) {
    int32_t span = 0;
    for (const int32_t length : lengths) {
        if (length > 0 && span > 0) span += gap;
        span += length;
    }
    return span;
}

// Scales the lengths that take room to fill the available span exactly. The
// pixels that truncation leaves go one each to the first of them; a length of
// 0 stays 0, since a row or column of hidden children must not appear.
void distribute(std::vector<int32_t>& lengths, int32_t gap, int32_t available) {
    int64_t sum = 0;
    int32_t taking = 0;
    for (const int32_t length : lengths) {
        if (length > 0) {
            sum += length;
            ++taking;
        }
    }
    if (taking > 1) available -= (taking - 1) * gap;
    if (sum == 0 || sum == available) return;
    const std::vector<int32_t> wanted = lengths;
    int64_t remainder = available;
    for (int32_t& length : lengths) {
        length = static_cast<int32_t>(length * static_cast<int64_t>(available) / sum);
        remainder -= length;
    }
    for (size_t i = 0; i < lengths.size() && remainder > 0; ++i) {
        if (wanted[i] > 0) {
            ++lengths[i];
            --remainder;
        }
    }
}

// Where a child of the given preferred length goes within a cell.
std::pair<int32_t, int32_t> place(int32_t alignment, int32_t start, int32_t cell,
                                  int32_t preferred) {
    switch (alignment) {
        case GridFlowLayout::FILL:
            return {start, cell};
        case GridFlowLayout::RIGHT:
        case GridFlowLayout::BOTTOM:
            return {start + cell - preferred, preferred};
        case GridFlowLayout::CENTER:
            return {start + (cell - preferred) / 2, preferred};
        default:
            return {start, preferred};
    }
}

// Where the grid starts along one axis; FILL also stretches the lengths.
int32_t origin(int32_t alignment, int32_t before, int32_t after, int32_t client, int32_t content,
               std::vector<int32_t>& lengths, int32_t gap) {
    switch (alignment) {
        case GridFlowLayout::FILL:
            distribute(lengths, gap, client - before - after);
            return before;
        case GridFlowLayout::RIGHT:
        case GridFlowLayout::BOTTOM:
            return client - content + before;
        case GridFlowLayout::CENTER:
            return (client - content) / 2 + before;
        default:
            return before;
    }
}

}  // namespace

GridFlowLayout::GridFlowLayout(int32_t rows, int32_t cols) : rows_(rows), cols_(cols) {
    // The missing dimension is computed by dividing by the other one.
    if (rows == 0 && cols == 0) {
        throw IllegalArgumentException(L"both of rows and cols specified 0");
    }
}

GridFlowLayout::Grid GridFlowLayout::measure(Container& parent) const {
    Grid grid;
    const int32_t count = parent.getComponentCount();
    const int32_t rows = rows_ != 0 ? rows_ : (count + cols_ - 1) / cols_;
    const int32_t cols = cols_ != 0 ? cols_ : (count + rows_ - 1) / rows_;
    grid.widths.assign(cols, 0);
    grid.heights.assign(rows, 0);
    // Children beyond the grid's cells are not part of it.
    grid.count = std::min(count, rows * cols);
    for (int32_t i = 0; i < grid.count; ++i) {
        Component* child = parent.getComponent(i);
        if (!child->isVisible()) continue;
        const Size p = child->getPreferredSize();
        int32_t& width = grid.widths[i % cols];
        int32_t& height = grid.heights[i / cols];
        width = std::max(width, p.width);
        height = std::max(height, p.height);
    }
    const Insets insets = parent.getInsets();
    grid.contentWidth = spanOf(grid.widths, hgap_) + insets.left + insets.right;
    grid.contentHeight = spanOf(grid.heights, vgap_) + insets.top + insets.bottom;
    return grid;
}

Size GridFlowLayout::preferredLayoutSize(Container& parent) {
    const Grid grid = measure(parent);
    const Size border = parent.getBorderSize();
    return {grid.contentWidth + border.width, grid.contentHeight + border.height};
}

void GridFlowLayout::layoutContainer(Container& parent) {
    Grid grid = measure(parent);
    const Insets insets = parent.getInsets();
    const Size client = parent.getClientSize();
    const int32_t x0 = origin(horizontalAlignment_, insets.left, insets.right, client.width,
                              grid.contentWidth, grid.widths, hgap_);
    const int32_t y0 = origin(verticalAlignment_, insets.top, insets.bottom, client.height,
                              grid.contentHeight, grid.heights, vgap_);

    int32_t index = 0;
    int32_t y = y0;
    for (const int32_t height : grid.heights) {
        if (height > 0 && y > y0) y += vgap_;
        int32_t x = x0;
        for (size_t c = 0; c < grid.widths.size() && index < grid.count; ++c, ++index) {
            const int32_t width = grid.widths[c];
            // The gap depends on the column alone, so a hidden child does not
            // pull the rest of its row out of line with the rows above.
            if (width > 0 && x > x0) x += hgap_;
            Component* child = parent.getComponent(index);
            if (child->isVisible()) {
                const Size p = child->getPreferredSize();
                const auto [left, cellWidth] = place(cellHorizontalAlignment_, x, width, p.width);
                const auto [top, cellHeight] = place(cellVerticalAlignment_, y, height, p.height);
                child->setBounds(left, top, cellWidth, cellHeight);
            }
            x += width;
        }
        y += height;
    }
}

}  // namespace awt
