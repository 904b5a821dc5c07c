#pragma once

#include <map>
#include <vector>

#include "awt/Tree.h"
#include "items/PropertyChangeListener.h"

class Category;
class Item;
class SettingSearch;
namespace awt {
class Component;
}

// Shows in bold what has been tuned (isTuned): the name of each such
// setting, and in the category tree each category that holds one, itself or
// in a category below it, among the settings the window shows. The marks
// follow every change of the settings at once.
class TunedMarks : private PropertyChangeListener {
public:
    // The tree's nodes carry their categories, and are those the search
    // shows. The tree's width is reserved for bold text from now on.
    TunedMarks(awt::Tree& tree, const SettingSearch& shown);
    ~TunedMarks() override;
    TunedMarks(const TunedMarks&) = delete;
    TunedMarks& operator=(const TunedMarks&) = delete;

    // Shows the component that names the item bold while the item is tuned,
    // and reserves its bold width. An item that holds no value is left out.
    void watch(Item& item, awt::Component& name);
    // Whether the category holds a tuned setting that the search shows,
    // itself or in a shown category below it.
    bool marks(const Category& category) const;

private:
    void propertyChanged(const PropertyChangeEvent& event) override;
    // Marks every node below the parent as marks() says.
    void markBelow(awt::Tree::Node& parent);
    bool holdsTuned(const Category& category) const;

    awt::Tree& tree_;
    const SettingSearch& shown_;
    // A nested category's page is built under its parent and at the top
    // level alike, so one item may have several names.
    std::map<Item*, std::vector<awt::Component*>> names_;
};
