#include "config/ItemGroup.h"

#include "config/Category.h"
#include "items/Item.h"

uint32_t ItemGroup::getAffectTarget() const {
    uint32_t target = 0;
    for (const Item* item : items_) target |= item->getAffectTarget();
    return target;
}

std::wstring qualifiedIdOf(const Item& item) {
    const ItemGroup* group = item.getItemGroup();
    const Category* category = group ? group->getParent() : nullptr;
    return (category ? category->getId() : L"") + L"." + (group ? group->getId() : L"") + L"." +
           item.getId();
}
