#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "items/AbstractCustomizer.h"

class Category;
class Item;

// A titled box of items on a category's page.
class ItemGroup : public AbstractCustomizer {
public:
    virtual void setShortHelp(const std::wstring& shortHelp) { shortHelp_ = shortHelp; }
    const std::wstring& getShortHelp() const override { return shortHelp_; }

    void addItem(Item* item) { items_.push_back(item); }
    int getItemCount() const { return static_cast<int>(items_.size()); }
    const std::vector<Item*>& getItems() const { return items_; }
    Category* getParent() const { return parent_; }
    void setParent(Category* parent) { parent_ = parent; }
    // The OR of its items' targets.
    uint32_t getAffectTarget() const;

private:
    Category* parent_ = nullptr;
    std::vector<Item*> items_;
    std::wstring shortHelp_;
};

// Category id, group id and item id joined by ".", naming an item in messages
// to the user. A missing group or category leaves its part empty.
std::wstring qualifiedIdOf(const Item& item);
