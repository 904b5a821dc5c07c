#pragma once

#include <cstdint>

#include "awt/LayoutManager.h"

namespace awt {

// The visible children in one row at their preferred sizes, centred
// vertically. The row never wraps: what does not fit runs past the right.
class FlowLayout : public LayoutManager {
public:
    static constexpr int32_t LEFT = 0;
    static constexpr int32_t RIGHT = 1;
    static constexpr int32_t CENTER = 2;

    explicit FlowLayout(int32_t alignment) : alignment_(alignment) {}

    void addLayoutComponent(Component*, const Constraints*) override {}
    void removeLayoutComponent(Component*) override {}
    Size preferredLayoutSize(Container& parent) override;
    void layoutContainer(Container& parent) override;

    void setHgap(int32_t hgap) { hgap_ = hgap; }

private:
    int32_t alignment_;
    int32_t hgap_ = 0;
};

}  // namespace awt
