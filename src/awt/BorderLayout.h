#pragma once

#include <cstdint>

#include "awt/LayoutManager.h"

namespace awt {

// Up to five children: north and south take their preferred height across
// the whole width, east and west their preferred width between them, and the
// center the rest. Holds its children, so it serves one container only.
class BorderLayout : public LayoutManager {
public:
    // The regions, recognised by identity.
    static const Constraints NORTH;
    static const Constraints SOUTH;
    static const Constraints EAST;
    static const Constraints WEST;
    static const Constraints CENTER;

    // A child in a region replaces the one that was there.
    void addLayoutComponent(Component* component, const Constraints* constraints) override;
    void removeLayoutComponent(Component* component) override;
    Size preferredLayoutSize(Container& parent) override;
    void layoutContainer(Container& parent) override;

    void setHgap(int32_t hgap) { hgap_ = hgap; }
    void setVgap(int32_t vgap) { vgap_ = vgap; }

private:
    int32_t hgap_ = 0;
    int32_t vgap_ = 0;
    Component* north_ = nullptr;
    Component* south_ = nullptr;
    Component* east_ = nullptr;
    Component* west_ = nullptr;
    Component* center_ = nullptr;
};

}  // namespace awt
