#include "items/Tuned.h"

#include "items/BitValueItem.h"
#include "items/CheckItem.h"
#include "items/Inheritable.h"
#include "items/RegDeleteSubKeysItem.h"
#include "items/ToggleItem.h"
#include "items/ValueItem.h"

std::optional<ItemValues> valuesOf(const Item& item) {
    using Kind = ItemValues::Kind;
    if (const auto* check = dynamic_cast<const CheckItem*>(&item)) {
        return ItemValues{Kind::CHECK, check->getDefaultState(), check->getStoredState(),
                          check->getCurrentState()};
    }
    if (const auto* value = dynamic_cast<const ValueItem*>(&item)) {
        return ItemValues{Kind::NUMBER, value->getDefaultValue(), value->getStoredValue(),
                          value->getCurrentValue()};
    }
    if (const auto* toggle = dynamic_cast<const ToggleItem*>(&item)) {
        return ItemValues{Kind::CHOICE, toggle->getDefaultIndex(), toggle->getStoredIndex(),
                          toggle->getCurrentIndex()};
    }
    if (const auto* bits = dynamic_cast<const BitValueItem*>(&item)) {
        return ItemValues{Kind::BITS, bits->getDefaultValue(), bits->getStoredValue(),
                          bits->getCurrentValue()};
    }
    return std::nullopt;
}

bool isTuned(const Item& item) {
    // A number copy told to inherit keeps its own number until its view
    // hands it the inherited one; that number is no longer what it holds.
    const auto* inheritable = dynamic_cast<const Inheritable*>(&item);
    if (inheritable != nullptr && inheritable->canInherit() && inheritable->isInherited())
        return false;
    // Windows makes no sub-key of its own there: a clean key is as Windows
    // leaves it, whether velmora cleaned it or found it so, and the sub-keys
    // that someone added are what was tuned.
    if (const auto* cleaner = dynamic_cast<const RegDeleteSubKeysItem*>(&item))
        return !cleaner->getCurrentState();
    const std::optional<ItemValues> values = valuesOf(item);
    return values && values->current != values->defaultValue;
}
