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
    // The tree's nodes carry their categories. Its width is reserved for
    // bold text from now on.
    explicit TunedMarks(awt::Tree& tree);
    ~TunedMarks() override;
    TunedMarks(const TunedMarks&) = delete;
    TunedMarks& operator=(const TunedMarks&) = delete;

    // Shows the component that names the item bold while the item is tuned,
    // and reserves its bold width. An item that holds no value is left out.
    void watch(Item& item, awt::Component& name);
    // Marks the tree's nodes by the settings the search shows, which it
    // must outlive; again whenever it shows other settings.
    void markTree(const SettingSearch& shown);

private:
    void propertyChanged(const PropertyChangeEvent& event) override;
    // Whether the node is marked; its descendants are marked on the way.
    bool markBelow(awt::Tree::Node& node);
    bool holdsTuned(const Category& category) const;

    awt::Tree& tree_;
    const SettingSearch* shown_ = nullptr;
    // A nested category's page is built under its parent and at the top
    // level alike, so one item may have several names.
    std::map<Item*, std::vector<awt::Component*>> names_;
};
