#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

#include "awt/UsefulTree.h"

class Category;
class SettingSearch;

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

    // Which categories are shown bold; none is without it.
    void setMarked(std::function<bool(const Category&)> marked) { marked_ = std::move(marked); }

    // Makes the nodes those of the categories that the search shows, each
    // with its shown sub-categories below it, bold as marked. A node that
    // stays is kept, with its expansion and the selection; a new one opens
    // as its category says.
    void showCategories(const std::vector<Category*>& categories, const SettingSearch& search);

private:
    // The nodes that showCategories would insert, turn bold or regular, and
    // remove with all below them.
    int changes(Node* parent, const std::vector<Category*>& categories,
                const SettingSearch& search) const;
    static int shownBelow(const Category& category, const SettingSearch& search);
    void update(Node* parent, const std::vector<Category*>& categories,
                const SettingSearch& search);
    bool isMarked(const Category& category) const { return marked_ && marked_(category); }

    int32_t heightLimit_ = 0;
    std::function<bool(const Category&)> marked_;
};
