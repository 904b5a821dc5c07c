#pragma once

#include <cstdint>
#include <optional>

class Item;

// The values of an item of a kind that holds one, as numbers: a check
// item's state as 0 or 1, a number item's value, a choice item's index, a
// bit item's word.
struct ItemValues {
    enum class Kind { CHECK, NUMBER, CHOICE, BITS };

    Kind kind;
    int64_t defaultValue;
    int64_t stored;
    int64_t current;
};

// None for an item that holds no value, such as a launcher.
std::optional<ItemValues> valuesOf(const Item& item);

// Whether the item's current value differs from its default: a setting that
// has been tuned. A launcher never is, nor is an interface copy while it
// inherits: it follows the system-wide setting and holds nothing of its own.
// A key that can be cleaned of its sub-keys is tuned while it holds some.
bool isTuned(const Item& item);
