#include "app/CatalogueExport.h"

#include "config/CatalogueWalk.h"
#include "config/CategoryTree.h"
#include "items/Item.h"
#include "items/SaveTarget.h"
#include "items/Tuned.h"

void exportCatalogue(const std::vector<Category*>& categories, uint32_t filter,
                     const std::wstring& fileName) {
    SaveTarget target(fileName);
    // Only what was tuned travels: a setting left at its default is no part
    // of the tuned set, and written out it would undo, on a machine that
    // imports the file, what was tuned there.
    forEachItem(categories, [&](Item& item) {
        if (CategoryTree::meets(item.getAffectTarget(), filter) && isTuned(item))
            item.store(target);
    });
    target.finish();
}
