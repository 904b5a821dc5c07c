#pragma once

#include "awt/LayoutManager.h"

namespace awt {

// Leaves every child where the program put it. Every container starts with
// the shared instance.
class NullLayout : public LayoutManager {
public:
    constexpr NullLayout() = default;

    void addLayoutComponent(Component*, const Constraints*) override {}
    void removeLayoutComponent(Component*) override {}
    Size preferredLayoutSize(Container&) override { return {}; }
    void layoutContainer(Container&) override {}
};

}  // namespace awt
