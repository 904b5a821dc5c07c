#pragma once

#include "awt/Geometry.h"

namespace awt {

class Component;
class Container;

// Decides a container's preferred size and where its children go. A layout
// that keeps no state per container may serve many containers at once.
class LayoutManager {
public:
    // Passed to Container::add and recognised by each layout as it needs;
    // never owned by the layout. A plain instance means "no particular place".
    class Constraints {
    public:
        constexpr Constraints() = default;
        virtual ~Constraints() = default;
    };

    constexpr LayoutManager() = default;
    virtual ~LayoutManager() = default;
    LayoutManager(const LayoutManager&) = delete;
    LayoutManager& operator=(const LayoutManager&) = delete;

    // constraints may be null.
    virtual void addLayoutComponent(Component* component, const Constraints* constraints) = 0;
    virtual void removeLayoutComponent(Component* component) = 0;
    virtual Size preferredLayoutSize(Container& parent) = 0;
    virtual void layoutContainer(Container& parent) = 0;
    // A child that cannot be seen yet may go without its peer until it can:
    // a container realizes only the children its layout does not defer, and
    // the layout realizes a deferred child when it brings it into view.
    virtual bool defersPeer(const Component& /*child*/) const { return false; }
};

}  // namespace awt
