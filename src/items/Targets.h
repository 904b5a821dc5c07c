#pragma once

#include <cstdint>

// Whom a setting affects. The values are bit masks: a group's or category's
// target is the OR of its items', and the target filter selects by AND.
namespace AffectTarget {
constexpr uint32_t NOBODY = 0;
constexpr uint32_t SYSTEM = 0x00000001;
constexpr uint32_t USER = 0x00010000;
constexpr uint32_t ALL = 0xFFFFFFFF;
}  // namespace AffectTarget

// What must follow once a setting was applied; ordered, so the largest value
// over all applied items decides.
namespace PostChanged {
constexpr int32_t NOTHING = 0;
constexpr int32_t LOGOFF = 1;
constexpr int32_t REBOOT = 2;
}  // namespace PostChanged
