#include "config/Category.h"

#include "config/ItemGroup.h"
#include "core/Constants.h"

void Category::configure(const xml::Element&) {}

const std::wstring& Category::getShortHelp() const { return NULL_STRING; }

uint32_t Category::getAffectTarget() const {
    uint32_t target = 0;
    for (const ItemGroup* group : itemGroups_) target |= group->getAffectTarget();
    for (const Category* sub : subCategories_) target |= sub->getAffectTarget();
    return target;
}
