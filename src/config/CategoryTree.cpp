#include "config/CategoryTree.h"

#include <algorithm>

#include "config/Category.h"

CategoryTree::CategoryTree(const std::vector<Category*>& categories, uint32_t mask)
    : roots_(nodesOf(categories, mask)) {}

std::vector<CategoryTree::Node> CategoryTree::nodesOf(const std::vector<Category*>& categories,
                                                      uint32_t mask) {
    std::vector<Node> nodes;
    for (Category* category : categories) {
        if (!meets(mask, category->getAffectTarget())) continue;
        nodes.push_back(Node{category, nodesOf(category->getSubCategories(), mask)});
    }
    return nodes;
}

std::vector<const CategoryTree::Node*> CategoryTree::pathTo(const Category* category) const {
    std::vector<const Category*> chain;
    for (const Category* c = category; c != nullptr; c = c->getParent()) chain.push_back(c);
    std::reverse(chain.begin(), chain.end());

    std::vector<const Node*> path;
    const std::vector<Node>* level = &roots_;
    for (const Category* member : chain) {
        const auto found = std::find_if(level->begin(), level->end(),
                                        [member](const Node& n) { return n.category == member; });
        if (found == level->end()) return {};
        path.push_back(&*found);
        level = &found->children;
    }
    return path;
}
