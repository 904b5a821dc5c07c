#pragma once

#include <string>
#include <typeindex>

class Item;
class ItemGroupSelector;

// Maps the class names written in definitions to the classes that implement
// them. Item classes and selector (category) classes live in separate maps,
// so a name of one kind is unknown as the other.
class ClassTable {
public:
    using ItemFactory = Item* (*)();
    using SelectorFactory = ItemGroupSelector* (*)();

    // Registers every class of the program; called once at start-up.
    static void registerClasses();

    template <typename T>
    static void addItemClass(const std::wstring& name) {
        addItemClass(
            name, [] { return static_cast<Item*>(new T); }, typeid(T));
    }
    template <typename T>
    static void addSelectorClass(const std::wstring& name) {
        addSelectorClass(
            name, [] { return static_cast<ItemGroupSelector*>(new T); }, typeid(T));
    }

    // Both throw ConfigException with the class name alone when the name is
    // unknown or the class refuses construction (IllegalArgumentException).
    static Item* createItem(const std::wstring& name);
    static ItemGroupSelector* createSelector(const std::wstring& name);

    // The name an object was created under, by its exact class; empty for a
    // class that is not registered.
    static std::wstring itemClassName(const Item& item);
    static std::wstring selectorClassName(const ItemGroupSelector& selector);

private:
    static void addItemClass(const std::wstring& name, ItemFactory factory, std::type_index type);
    static void addSelectorClass(const std::wstring& name, SelectorFactory factory,
                                 std::type_index type);
};
