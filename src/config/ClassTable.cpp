#include "config/ClassTable.h"

#include <map>

#include "config/ItemGroupSelector.h"
#include "core/Exception.h"
#include "items/Item.h"

namespace {

template <typename Factory>
struct Entry {
    Factory create;
    std::type_index type;
};

template <typename Factory>
using Classes = std::map<std::wstring, Entry<Factory>>;

Classes<ClassTable::ItemFactory>& itemClasses() {
    static Classes<ClassTable::ItemFactory> classes;
    return classes;
}

Classes<ClassTable::SelectorFactory>& selectorClasses() {
    static Classes<ClassTable::SelectorFactory> classes;
    return classes;
}

template <typename Factory>
auto create(const Classes<Factory>& classes, const std::wstring& name) {
    const auto found = classes.find(name);
    if (found == classes.end()) throw ConfigException(name);
    try {
        return found->second.create();
    } catch (const IllegalArgumentException&) {
        throw ConfigException(name);
    }
}

template <typename Factory>
std::wstring nameOf(const Classes<Factory>& classes, std::type_index type) {
    for (const auto& [name, entry] : classes) {
        if (entry.type == type) return name;
    }
    return L"";
}

}  // namespace

void ClassTable::addItemClass(const std::wstring& name, ItemFactory factory, std::type_index type) {
    itemClasses().insert_or_assign(name, Entry<ItemFactory>{factory, type});
}

void ClassTable::addSelectorClass(const std::wstring& name, SelectorFactory factory,
                                  std::type_index type) {
    selectorClasses().insert_or_assign(name, Entry<SelectorFactory>{factory, type});
}

Item* ClassTable::createItem(const std::wstring& name) { return create(itemClasses(), name); }

ItemGroupSelector* ClassTable::createSelector(const std::wstring& name) {
    return create(selectorClasses(), name);
}

std::wstring ClassTable::itemClassName(const Item& item) {
    return nameOf(itemClasses(), typeid(item));
}

std::wstring ClassTable::selectorClassName(const ItemGroupSelector& selector) {
    return nameOf(selectorClasses(), typeid(selector));
}
