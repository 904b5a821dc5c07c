#include "awt/BorderLayout.h"

#include <algorithm>

#include "awt/Container.h"
#include "core/Exception.h"

namespace awt {

constinit const LayoutManager::Constraints BorderLayout::NORTH{};
constinit const LayoutManager::Constraints BorderLayout::SOUTH{};
constinit const LayoutManager::Constraints BorderLayout::EAST{};
constinit const LayoutManager::Constraints BorderLayout::WEST{};
constinit const LayoutManager::Constraints BorderLayout::CENTER{};

namespace {

// The size a region asks for: nothing when it is empty or hidden.
Size wanted(Component* child) {
    return child != nullptr && child->isVisible() ? child->getPreferredSize() : Size{};
}

bool placed(Component* child) { return child != nullptr && child->isVisible(); }

}  // namespace

void BorderLayout::addLayoutComponent(Component* component, const Constraints* constraints) {
    if (constraints == &NORTH) {
        north_ = component;
    } else if (constraints == &SOUTH) {
        south_ = component;
    } else if (constraints == &EAST) {
        east_ = component;
    } else if (constraints == &WEST) {
        west_ = component;
    } else if (constraints == &CENTER) {
        center_ = component;
    } else {
        throw IllegalArgumentException(L"constraints");
    }
}

void BorderLayout::removeLayoutComponent(Component* component) {
    for (Component** slot : {&north_, &south_, &east_, &west_, &center_}) {
        if (*slot == component) *slot = nullptr;
    }
}

Size BorderLayout::preferredLayoutSize(Container& parent) {
    const Size n = wanted(north_);
    const Size s = wanted(south_);
    const Size e = wanted(east_);
    const Size w = wanted(west_);
    const Size c = wanted(center_);
    const Insets insets = parent.getInsets();

    int32_t width = std::max({n.width, s.width, e.width + c.width + w.width});
    width += insets.left + insets.right;
    int32_t height = std::max({c.height, w.height, e.height}) + n.height + s.height;
    height += insets.top + insets.bottom;

    // One gap between each pair of neighbours that take room, never one for
    // an empty region.
    const int columns = (e.width >= 1) + (c.width >= 1) + (w.width >= 1);
    if (columns >= 2) width += (columns - 1) * hgap_;
    const int rows = (n.height >= 1) + (s.height >= 1) + (e.height + c.height + w.height >= 1);
    if (rows >= 2) height += (rows - 1) * vgap_;

    const Size border = parent.getBorderSize();
    return {width + border.width, height + border.height};
}

void BorderLayout::layoutContainer(Container& parent) {
    const Insets insets = parent.getInsets();
    const Size client = parent.getClientSize();
    int32_t top = insets.top;
    int32_t bottom = client.height - insets.bottom;
    int32_t left = insets.left;
    int32_t right = client.width - insets.right;

    if (placed(north_)) {
        const Size p = north_->getPreferredSize();
        north_->setBounds(left, top, right - left, p.height);
        top += p.height + vgap_;
    }
    if (placed(south_)) {
        const Size p = south_->getPreferredSize();
        south_->setBounds(left, bottom - p.height, right - left, p.height);
        bottom -= p.height + vgap_;
    }
    if (placed(east_)) {
        const Size p = east_->getPreferredSize();
        east_->setBounds(right - p.width, top, p.width, bottom - top);
        right -= p.width + hgap_;
    }
    if (placed(west_)) {
        const Size p = west_->getPreferredSize();
        west_->setBounds(left, top, p.width, bottom - top);
        left += p.width + hgap_;
    }
    if (placed(center_)) center_->setBounds(left, top, right - left, bottom - top);
}

}  // namespace awt
