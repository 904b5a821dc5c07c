#include "awt/GridLayout.h"

#include <algorithm>

#include "awt/Container.h"
#include "core/Exception.h"

namespace awt {

GridLayout::GridLayout(int32_t rows, int32_t cols) : rows_(rows), cols_(cols) {
    if (rows == 0 && cols == 0) {
        throw IllegalArgumentException(L"both of rows and cols specified 0");
    }
}

int32_t GridLayout::rowsFor(int32_t count) const {
    return rows_ != 0 ? rows_ : (count + cols_ - 1) / cols_;
}

int32_t GridLayout::colsFor(int32_t count) const {
    return cols_ != 0 ? cols_ : (count + rows_ - 1) / rows_;
}

Size GridLayout::preferredLayoutSize(Container& parent) {
    const int32_t count = parent.getComponentCount();
    const int32_t rows = rowsFor(count);
    const int32_t cols = colsFor(count);
    Size largest;
    for (int32_t i = 0; i < count; ++i) {
        Component* child = parent.getComponent(i);
        if (!child->isVisible()) continue;
        const Size p = child->getPreferredSize();
        largest.width = std::max(largest.width, p.width);
        largest.height = std::max(largest.height, p.height);
    }
    const Insets insets = parent.getInsets();
    const Size border = parent.getBorderSize();
    // A dimension that follows from no children is 0 and has no gaps.
    const int32_t width = largest.width * cols + std::max(cols - 1, 0) * hgap_;
    const int32_t height = largest.height * rows + std::max(rows - 1, 0) * vgap_;
    return {width + insets.left + insets.right + border.width,
            height + insets.top + insets.bottom + border.height};
}

void GridLayout::layoutContainer(Container& parent) {
    const int32_t count = parent.getComponentCount();
    const int32_t rows = rowsFor(count);
    const int32_t cols = colsFor(count);
    const Insets insets = parent.getInsets();
    const Size client = parent.getClientSize();
    const int32_t availableWidth = client.width - (cols - 1) * hgap_ - insets.left - insets.right;
    const int32_t availableHeight = client.height - (rows - 1) * vgap_ - insets.top - insets.bottom;
    // Cell edges come from products, not sums, so rounding never accumulates.
    for (int32_t r = 0; r < rows; ++r) {
        for (int32_t c = 0; c < cols; ++c) {
            const int32_t index = r * cols + c;
            if (index >= count) return;
            Component* child = parent.getComponent(index);
            if (!child->isVisible()) continue;
            const int32_t x0 = c * availableWidth / cols;
            const int32_t y0 = r * availableHeight / rows;
            child->setBounds(insets.left + c * hgap_ + x0, insets.top + r * vgap_ + y0,
                             (c + 1) * availableWidth / cols - x0,
                             (r + 1) * availableHeight / rows - y0);
        }
    }
}

}  // namespace awt
