#include "app/CatalogueExport.h"

#include "app/CatalogueDump.h"
#include "config/CatalogueWalk.h"
#include "config/CategoryTree.h"
#include "items/Item.h"
#include "items/SaveTarget.h"

namespace {

// Only what was tuned travels: a setting left at its default is no part of
// the tuned set, and written out it would undo, on a machine that imports
// the file, what was tuned there.
bool differsFromDefault(const Item& item) {
    const ItemValueTexts values = valueTextsOf(item);
    return values.current != L"-" && values.current != values.defaultValue;
}

}  // namespace

void exportCatalogue(const std::vector<Category*>& categories, uint32_t filter,
                     const std::wstring& fileName) {
    SaveTarget target(fileName);
    forEachItem(categories, [&](Item& item) {
        if (CategoryTree::meets(item.getAffectTarget(), filter) && differsFromDefault(item))
            item.store(target);
    });
    target.finish();
}
