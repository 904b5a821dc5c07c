#pragma once

#include <cstdint>

#include "awt/LayoutManager.h"

namespace awt {

// A grid of equal cells filled row by row, each visible child filling its
// cell. The cells share the container's size exactly, without drift.
class GridLayout : public LayoutManager {
public:
    // One of rows and cols may be 0: it follows from the child count.
    GridLayout(int32_t rows, int32_t cols);

    void addLayoutComponent(Component*, const Constraints*) override {}
    void removeLayoutComponent(Component*) override {}
    Size preferredLayoutSize(Container& parent) override;
    void layoutContainer(Container& parent) override;

    void setHgap(int32_t hgap) { hgap_ = hgap; }
    void setVgap(int32_t vgap) { vgap_ = vgap; }

private:
    int32_t rowsFor(int32_t count) const;
    int32_t colsFor(int32_t count) const;

    int32_t rows_;
    int32_t cols_;
    int32_t hgap_ = 0;
    int32_t vgap_ = 0;
};

}  // namespace awt
