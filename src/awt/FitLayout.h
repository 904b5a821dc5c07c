#pragma once

#include "awt/LayoutManager.h"

namespace awt {

// For a container of exactly one child, kept at the child's preferred size
// inside the insets however large the container is: a caption panel around
// its label.
class FitLayout : public LayoutManager {
public:
    constexpr FitLayout() = default;

    void addLayoutComponent(Component*, const Constraints*) override {}
    void removeLayoutComponent(Component*) override {}
    Size preferredLayoutSize(Container& parent) override;
    void layoutContainer(Container& parent) override;
};

}  // namespace awt
