#pragma once

#include <cstdint>

namespace awt {

// Pixel quantities of the toolkit. Locations are relative to the parent's
// client area; a top-level window's are screen coordinates.
struct Point {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const Size&) const = default;
};

struct Insets {
    int32_t top = 0;
    int32_t left = 0;
    int32_t bottom = 0;
    int32_t right = 0;
    bool operator==(const Insets&) const = default;
};

}  // namespace awt
