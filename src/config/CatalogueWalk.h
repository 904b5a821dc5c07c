#pragma once

#include <set>
#include <vector>

#include "config/Category.h"
#include "config/ItemGroup.h"

class Item;

// Calls visit on every item of the categories in catalogue order, a
// category's own groups before its sub-categories. Nested categories are
// listed at the top too; their items are visited the first time only, so
// that an item that fails to apply is neither tried nor reported twice.
template <typename Visit>
void forEachItem(const std::vector<Category*>& categories, Visit&& visit,
                 std::set<const Item*>& seen) {
    for (Category* category : categories) {
        for (ItemGroup* group : category->getItemGroups()) {
            for (Item* item : group->getItems()) {
                if (seen.insert(item).second) visit(*item);
            }
        }
        forEachItem(category->getSubCategories(), visit, seen);
    }
}

template <typename Visit>
void forEachItem(const std::vector<Category*>& categories, Visit&& visit) {
    std::set<const Item*> seen;
    forEachItem(categories, visit, seen);
}
