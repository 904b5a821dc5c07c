#include "config/CategoryTree.h"

#include <gtest/gtest.h>

#include <memory>

#include "config/Category.h"
#include "config/ItemGroup.h"
#include "items/AbstractItem.h"

namespace {

// An item that only carries a target, for the target computations.
class TargetItem : public AbstractItem {
public:
    explicit TargetItem(uint32_t target) { setAffectTarget(target); }
    const std::wstring& getShortHelp() const override { return getId(); }
    void configure(const xml::Element&) override {}
    awt::Component* createView() override { return nullptr; }
    void setToDefault() override {}
    void apply() override {}
    void revert() override {}
    void store(SaveTarget&) override {}
};

// A catalogue built by hand; the objects live as long as the test.
class Catalogue {
public:
    Category* category(const std::wstring& id, Category* parent = nullptr) {
        categories_.push_back(std::make_unique<Category>());
        Category* c = categories_.back().get();
        c->setId(id);
        if (parent) {
            c->setParent(parent);
            parent->addSubCategory(c);
        }
        list.push_back(c);
        return c;
    }
    ItemGroup* group(Category* category, std::initializer_list<uint32_t> targets) {
        groups_.push_back(std::make_unique<ItemGroup>());
        ItemGroup* g = groups_.back().get();
        for (uint32_t target : targets) {
            items_.push_back(std::make_unique<TargetItem>(target));
            g->addItem(items_.back().get());
        }
        g->setParent(category);
        category->addItemGroup(g);
        return g;
    }
    std::vector<Category*> list;

private:
    std::vector<std::unique_ptr<Category>> categories_;
    std::vector<std::unique_ptr<ItemGroup>> groups_;
    std::vector<std::unique_ptr<TargetItem>> items_;
};

std::wstring describe(const std::vector<CategoryTree::Node>& nodes) {
    std::wstring text;
    for (const CategoryTree::Node& node : nodes) {
        text += node.category->getId();
        if (!node.children.empty()) text += L"(" + describe(node.children) + L")";
        text += L" ";
    }
    return text;
}

constexpr uint32_t SYSTEM = AffectTarget::SYSTEM;
constexpr uint32_t USER = AffectTarget::USER;
constexpr uint32_t ALL = AffectTarget::ALL;

// users holds a system category and mixed a user one; each meets a mask
// through what it holds.
TEST(CategoryTree, TargetsCombineUpwardsAndNodesFollowTheMask) {
    Catalogue c;
    Category* users = c.category(L"users");
    Category* sys = c.category(L"sys", users);
    Category* mixed = c.category(L"mixed");
    Category* usr = c.category(L"usr", mixed);
    Category* empty = c.category(L"empty");
    ItemGroup* both = c.group(users, {USER, 0});
    c.group(sys, {SYSTEM});
    c.group(mixed, {SYSTEM});
    c.group(usr, {USER});
    EXPECT_EQ(both->getAffectTarget(), USER);
    EXPECT_EQ(users->getAffectTarget(), USER | SYSTEM);
    EXPECT_EQ(empty->getAffectTarget(), 0u);

    const std::pair<uint32_t, std::wstring> cases[] = {
        {ALL, L"users(sys ) sys mixed(usr ) usr "},
        {SYSTEM, L"users(sys ) sys mixed "},
        {USER, L"users mixed(usr ) usr "},
        {0, L""},
    };
    for (const auto& [mask, roots] : cases) {
        EXPECT_EQ(describe(CategoryTree(c.list, mask).getRoots()), roots) << mask;
    }
}

TEST(CategoryTree, PathsDescendThroughTheParentChain) {
    Catalogue c;
    Category* top = c.category(L"top");
    Category* leaf = c.category(L"leaf", c.category(L"middle", top));
    c.group(top, {SYSTEM});
    c.group(leaf, {USER});

    const CategoryTree all(c.list, ALL);
    const std::vector<const CategoryTree::Node*> path = all.pathTo(leaf);
    ASSERT_EQ(path.size(), 3u);
    EXPECT_EQ(path[2]->category, leaf);
    // The node found is the one below its parent, not the top-level listing.
    EXPECT_EQ(path[1], &all.getRoots()[0].children[0]);
    const CategoryTree system(c.list, SYSTEM);
    EXPECT_TRUE(system.pathTo(leaf).empty());
    EXPECT_EQ(system.pathTo(top).size(), 1u);
}

}  // namespace
