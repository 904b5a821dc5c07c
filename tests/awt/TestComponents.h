#pragma once

#include <cstdint>
#include <ostream>

#include "awt/Component.h"
#include "awt/Geometry.h"

namespace awt {

inline std::ostream& operator<<(std::ostream& out, const Size& size) {
    return out << "(" << size.width << " x " << size.height << ")";
}

inline std::ostream& operator<<(std::ostream& out, const Point& point) {
    return out << "(" << point.x << ", " << point.y << ")";
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
    int32_t x;
    int32_t y;
    int32_t width;
    int32_t height;
    bool operator==(const Bounds&) const = default;
};

inline Bounds boundsOf(const awt::Component& component) {
    const awt::Point at = component.getLocation();
    const awt::Size size = component.getSize();
    return {at.x, at.y, size.width, size.height};
}

inline std::ostream& operator<<(std::ostream& out, const Bounds& b) {
    return out << "(" << b.x << ", " << b.y << ", " << b.width << ", " << b.height << ")";
}

}  // namespace awt_test
