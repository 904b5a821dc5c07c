#pragma once

#include <cstdint>
#include <string>

#include "awt/LayoutManager.h"
#include "core/Constants.h"

// What the item views share: their strings of the module's string table and
// the constraints their rows are built with.
namespace views {

// The label of a number view's default box.
inline constexpr uint32_t DEFAULT_BOX_STRING = 1;
// The label of the box that makes an item inherit its value.
inline constexpr uint32_t INHERIT_BOX_STRING = 2;

// A row places its controls in order; they need no particular place.
inline const awt::LayoutManager::Constraints inRow{};

// NULL_STRING says that a definition gave no text, which a control must not
// show as a character of its own.
inline std::wstring shownText(const std::wstring& text) {
    return text == NULL_STRING ? std::wstring() : text;
}

}  // namespace views
