#include "app/CategoryTreeView.h"

#include "config/Category.h"
#include "config/SettingSearch.h"

namespace {

// Each node inserted, removed or made bold on its own redraws the scroll bar
// while the tree has one, which under Wine took 3 to 7 ms a node; a batch
// measures the whole tree once, 0.15 to 0.35 ms a node. Past this many
// changes the batch is cheaper.
constexpr int CHANGES_WITHOUT_BATCH = 4;

}  // namespace

void CategoryTreeView::showCategories(const std::vector<Category*>& categories,
                                      const SettingSearch& search) {
    const int count = changes(getRoot(), categories, search);
    if (count == 0) return;
    if (count <= CHANGES_WITHOUT_BATCH) {
        update(getRoot(), categories, search);
        return;
    }
    Batch batch(*this);
    update(getRoot(), categories, search);
}

// The children of a node are always the shown ones among the categories, in
// their order; so each category is the child at the index or has none.
int CategoryTreeView::changes(Node* parent, const std::vector<Category*>& categories,
                              const SettingSearch& search) const {
    int count = 0;
    int index = 0;
    for (Category* category : categories) {
        Node* node = index < parent->getChildCount() ? getChild(parent, index) : nullptr;
        const bool present = node != nullptr && node->getData() == category;
        if (present) ++index;
        if (!search.shows(*category)) {
            count += present ? 1 : 0;
        } else {
            count += present ? changes(node, category->getSubCategories(), search) +
                                   (node->isBold() != isMarked(*category) ? 1 : 0)
                             : shownBelow(*category, search);
        }
    }
    return count;
}

int CategoryTreeView::shownBelow(const Category& category, const SettingSearch& search) {
    int count = 1;
    for (const Category* sub : category.getSubCategories()) {
        if (search.shows(*sub)) count += shownBelow(*sub, search);
    }
    return count;
}

void CategoryTreeView::update(Node* parent, const std::vector<Category*>& categories,
                              const SettingSearch& search) {
    int index = 0;
    for (Category* category : categories) {
        Node* node = index < parent->getChildCount() ? getChild(parent, index) : nullptr;
        const bool present = node != nullptr && node->getData() == category;
        if (!search.shows(*category)) {
            if (present) removeNode(parent, index);
            continue;
        }
        if (!present) {
            node = insertNode(parent, index, category->getName(), category, isMarked(*category));
            setExpanded(node, category->isExpanded());
        } else {
            setBold(node, isMarked(*category));
        }
        update(node, category->getSubCategories(), search);
        ++index;
    }
}
