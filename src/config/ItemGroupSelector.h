#pragma once

#include <string>
#include <vector>

#include "config/Category.h"

// A category whose item groups depend on a key the user picks at run time.
// It also adds every group it builds to its own item groups, so that the
// target computations see them.
class ItemGroupSelector : public Category {
public:
    virtual const std::vector<std::wstring>& getKeys() const = 0;
    // Both throw IllegalArgumentException with the key for an unknown key.
    virtual const std::wstring& getKeyName(const std::wstring& key) const = 0;
    virtual const std::wstring& getSelectorLabel() const = 0;
    virtual const std::vector<ItemGroup*>& getItemGroupsFor(const std::wstring& key) const = 0;
};
