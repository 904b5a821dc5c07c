#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "awt/Panel.h"

namespace awt {

inline std::ostream& operator<<(std::ostream& out, const Size& size) {
    return out << "(" << size.width << " x " << size.height << ")";
}

}  // namespace awt

namespace awt_test {

// A leaf with a preferred size of its choosing; without a peer its client
// size is its stored size and its border is empty.
class Box : public awt::Component {
public:
    Box(int32_t width, int32_t height) : preferred_{width, height} {}
    const wchar_t* getClassName() override { return L"STATIC"; }
    awt::Size getPreferredSize() override { return preferred_; }

private:
    awt::Size preferred_;
};

struct Bounds {
    int32_t x, y, width, height;
    bool operator==(const Bounds&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const Bounds& b) {
        return out << "(" << b.x << ", " << b.y << ", " << b.width << ", " << b.height << ")";
    }
};
using BoundsList = std::vector<Bounds>;

inline Bounds boundsOf(const awt::Component& c) {
    return {c.getLocation().x, c.getLocation().y, c.getSize().width, c.getSize().height};
}

// A panel without a peer, of a given size and insets, holding boxes.
struct Scene {
    Scene(awt::LayoutManager& layout, awt::Size size, awt::Insets insets = {}) {
        panel.setLayout(&layout);
        panel.setSize(size.width, size.height);
        panel.setInsets(insets);
    }
    Box& add(int32_t width, int32_t height,
             const awt::LayoutManager::Constraints* constraints = nullptr) {
        boxes.push_back(std::make_unique<Box>(width, height));
        panel.add(boxes.back().get(), constraints);
        return *boxes.back();
    }
    // Lays the panel out and gives the bounds of every box, in order.
    BoundsList layOut() {
        panel.validate();
        BoundsList bounds;
        for (const auto& box : boxes) bounds.push_back(boundsOf(*box));
        return bounds;
    }

    awt::Panel panel;
    std::vector<std::unique_ptr<Box>> boxes;
};

}  // namespace awt_test
