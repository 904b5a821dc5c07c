#pragma once

#include <cstdint>
#include <vector>

#include "items/AbstractCustomizer.h"

namespace xml {
class Element;
}
class ItemGroup;

// A node of the category tree: item groups shown on one page, and
// sub-categories. Links are plain pointers; the catalogue lives until the
// process ends.
class Category : public AbstractCustomizer {
public:
    virtual void addItemGroup(ItemGroup* group) { itemGroups_.push_back(group); }
    // A plain category has no parameters; selector classes read theirs here.
    virtual void configure(const xml::Element& params);

    const std::wstring& getShortHelp() const override;

    const std::vector<ItemGroup*>& getItemGroups() const { return itemGroups_; }
    void addSubCategory(Category* category) { subCategories_.push_back(category); }
    const std::vector<Category*>& getSubCategories() const { return subCategories_; }
    Category* getParent() const { return parent_; }
    void setParent(Category* parent) { parent_ = parent; }
    bool isExpanded() const { return expanded_; }
    void setExpanded(bool expanded) { expanded_ = expanded; }
    // The OR of the targets of its groups and, recursively, its sub-categories.
    uint32_t getAffectTarget() const;

private:
    Category* parent_ = nullptr;
    std::vector<ItemGroup*> itemGroups_;
    std::vector<Category*> subCategories_;
    bool expanded_ = false;
};
