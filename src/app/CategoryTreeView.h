#pragma once

#include <algorithm>
#include <cstdint>

#include "awt/UsefulTree.h"

// The category tree of the main window. A tree asks for a row per top-level
// category, and a real catalogue lists more of them than a screen holds;
// the tree scrolls, so the window may cap the height it asks for rather than
// squeeze the help area below it.
class CategoryTreeView : public awt::UsefulTree {
public:
    awt::Size getPreferredSize() override {
        awt::Size size = UsefulTree::getPreferredSize();
        if (heightLimit_ > 0) size.height = std::min(size.height, heightLimit_);
        return size;
    }
    // 0 takes the limit away.
    void setHeightLimit(int32_t height) { heightLimit_ = height; }

private:
    int32_t heightLimit_ = 0;
};
