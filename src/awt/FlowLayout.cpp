#include "awt/FlowLayout.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "awt/Container.h"

namespace awt {

namespace {

struct Row {
    std::vector<std::pair<Component*, Size>> children;
    int32_t width = 0;
    int32_t height = 0;
};

// A gap goes between children only once something takes room before them.
Row visibleRow(Container& parent, int32_t hgap) {
    Row row;
    for (int i = 0; i < parent.getComponentCount(); ++i) {
        Component* child = parent.getComponent(i);
        if (!child->isVisible()) continue;
        const Size p = child->getPreferredSize();
        if (row.width > 0) row.width += hgap;
        row.width += p.width;
        row.height = std::max(row.height, p.height);
        row.children.emplace_back(child, p);
    }
    return row;
}

}  // namespace

Size FlowLayout::preferredLayoutSize(Container& parent) {
    const Row row = visibleRow(parent, hgap_);
    const Insets insets = parent.getInsets();
    const Size border = parent.getBorderSize();
    return {row.width + insets.left + insets.right + border.width,
            row.height + insets.top + insets.bottom + border.height};
}

void FlowLayout::layoutContainer(Container& parent) {
    const Size client = parent.getClientSize();
    const Insets insets = parent.getInsets();
    const Row row = visibleRow(parent, hgap_);

    int32_t x = insets.left;
    if (alignment_ == RIGHT) {
        x = client.width - insets.right - row.width;
    } else if (alignment_ == CENTER) {
        x = (client.width - insets.right - insets.left - row.width) / 2 + insets.left;
    }
    // A row too long for the container starts at the left and runs off the
    // right, so its first children stay reachable.
    x = std::max(x, insets.left);

    const int32_t available = client.height - insets.top - insets.bottom;
    for (const auto& [child, p] : row.children) {
        child->setBounds(x, insets.top + (available - p.height) / 2, p.width, p.height);
        x += p.width + hgap_;
    }
}

}  // namespace awt
