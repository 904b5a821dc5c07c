#pragma once

#include <cstdint>
#include <vector>

#include "items/Targets.h"

class Category;

// What the target filter shows: the tree nodes of the categories whose
// target meets the filter mask. The main window turns the nodes into tree
// control items; the decisions stay here so that they are tested without it.
class CategoryTree {
public:
    struct Node {
        Category* category;
        std::vector<Node> children;
    };

    // The masks of the filter choice's entries: all, system only, user only.
    static constexpr uint32_t FILTER_MASKS[] = {AffectTarget::ALL, AffectTarget::SYSTEM,
                                                AffectTarget::USER};

    static bool meets(uint32_t mask, uint32_t target) { return (mask & target) != 0; }

    // Every category of the list whose target meets the mask, in list order,
    // each with its sub-categories below it the same way. The loader's list
    // holds nested categories too, so they appear at the top level as well.
    CategoryTree(const std::vector<Category*>& categories, uint32_t mask);

    const std::vector<Node>& getRoots() const { return roots_; }
    // The nodes from the top level down to the category, following its
    // parent chain; empty when the category has no node under this mask.
    std::vector<const Node*> pathTo(const Category* category) const;

private:
    static std::vector<Node> nodesOf(const std::vector<Category*>& categories, uint32_t mask);

    std::vector<Node> roots_;
};
