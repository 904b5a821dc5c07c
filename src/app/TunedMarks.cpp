#include "app/TunedMarks.h"

#include "awt/Component.h"
#include "config/Category.h"
#include "config/ItemGroup.h"
#include "config/SettingSearch.h"
#include "items/AbstractItem.h"
#include "items/Tuned.h"

TunedMarks::TunedMarks(awt::Tree& tree, const SettingSearch& shown) : tree_(tree), shown_(shown) {
    tree_.reserveBoldWidth();
}

// Items outlive the window; marks that go first must not be called.
TunedMarks::~TunedMarks() {
    for (const auto& [item, names] : names_) item->removePropertyChangeListener(this);
}

void TunedMarks::watch(Item& item, awt::Component& name) {
    if (!valuesOf(item)) return;
    name.reserveBoldWidth();
    name.setBold(isTuned(item));
    std::vector<awt::Component*>& names = names_[&item];
    if (names.empty()) item.addPropertyChangeListener(this);
    names.push_back(&name);
}

bool TunedMarks::marks(const Category& category) const {
    if (holdsTuned(category)) return true;
    for (const Category* sub : category.getSubCategories())
        if (shown_.shows(*sub) && marks(*sub)) return true;
    return false;
}

void TunedMarks::markBelow(awt::Tree::Node& parent) {
    for (int i = 0; i < parent.getChildCount(); ++i) {
        awt::Tree::Node* node = awt::Tree::getChild(&parent, i);
        tree_.setBold(node, marks(*static_cast<const Category*>(node->getData())));
        markBelow(*node);
    }
}

// A change of the default counts as much as one of the value: an interface
// copy's default is the system-wide value, which moves under it.
void TunedMarks::propertyChanged(const PropertyChangeEvent& event) {
    Item* item = event.getSource();
    const auto watched = names_.find(item);
    if (watched == names_.end()) return;
    const bool tuned = isTuned(*item);
    for (awt::Component* name : watched->second) name->setBold(tuned);
    markBelow(*tree_.getRoot());
}

// A setting the filter or the search hides is out of sight on the page too:
// a mark for it would lead to a page with nothing marked.
bool TunedMarks::holdsTuned(const Category& category) const {
    for (const ItemGroup* group : category.getItemGroups()) {
        for (const Item* item : group->getItems()) {
            if (shown_.shows(*item) && isTuned(*item)) return true;
        }
    }
    return false;
}
