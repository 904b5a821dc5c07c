#include "config/CategoryTree.h"

#include <gtest/gtest.h>

#include <memory>

#include "config/Category.h"
#include "config/ItemGroup.h"
#include "core/Constants.h"
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

TEST(CategoryTree, TargetsCombineUpwards) {
    Catalogue c;
    Category* top = c.category(L"top");
    Category* sub = c.category(L"sub", top);
    Category* empty = c.category(L"empty");
    ItemGroup* users = c.group(top, {USER, USER});
    ItemGroup* nobody = c.group(top, {0});
    c.group(sub, {SYSTEM});
    EXPECT_EQ(users->getAffectTarget(), USER);
    EXPECT_EQ(nobody->getAffectTarget(), 0u);
    EXPECT_EQ(top->getAffectTarget(), USER | SYSTEM);
    EXPECT_EQ(sub->getAffectTarget(), SYSTEM);
    EXPECT_EQ(empty->getAffectTarget(), 0u);
    EXPECT_EQ(top->getShortHelp(), NULL_STRING);

    // What the filter shows: a group (or item) meets a mask when they share a bit.
    const std::vector<std::tuple<uint32_t, uint32_t, bool>> cases = {{ALL, USER, true},
                                                                     {SYSTEM, USER, false},
                                                                     {USER, USER, true},
                                                                     {ALL, 0, false},
                                                                     {SYSTEM, ALL, true}};
    for (const auto& [mask, target, shown] : cases) {
        EXPECT_EQ(CategoryTree::meets(mask, target), shown) << mask << " " << target;
    }
    EXPECT_EQ(CategoryTree::FILTER_MASKS[0], ALL);
    EXPECT_EQ(CategoryTree::FILTER_MASKS[1], SYSTEM);
    EXPECT_EQ(CategoryTree::FILTER_MASKS[2], USER);
}

TEST(CategoryTree, NodesFollowTheMaskAndListSubCategoriesTwice) {
    Catalogue c;
    Category* users = c.category(L"users");
    Category* systemBelowUsers = c.category(L"sys", users);
    Category* mixed = c.category(L"mixed");
    Category* userBelowMixed = c.category(L"usr", mixed);
    c.category(L"empty");
    c.group(users, {USER});
    c.group(systemBelowUsers, {SYSTEM});
    c.group(mixed, {SYSTEM});
    c.group(userBelowMixed, {USER});

    EXPECT_EQ(describe(CategoryTree(c.list, ALL).getRoots()), L"users(sys ) sys mixed(usr ) usr ");
    // users holds a system category, so it meets the system mask through it.
    EXPECT_EQ(describe(CategoryTree(c.list, SYSTEM).getRoots()), L"users(sys ) sys mixed ");
    EXPECT_EQ(describe(CategoryTree(c.list, USER).getRoots()), L"users mixed(usr ) usr ");
    EXPECT_EQ(describe(CategoryTree(c.list, 0).getRoots()), L"");
}

TEST(CategoryTree, PathsDescendThroughTheParentChain) {
    Catalogue c;
    Category* top = c.category(L"top");
    Category* middle = c.category(L"middle", top);
    Category* leaf = c.category(L"leaf", middle);
    Category* hidden = c.category(L"hidden");
    c.group(top, {SYSTEM});
    c.group(leaf, {USER});
    c.group(hidden, {0});

    const CategoryTree all(c.list, ALL);
    const std::vector<const CategoryTree::Node*> path = all.pathTo(leaf);
    ASSERT_EQ(path.size(), 3u);
    EXPECT_EQ(path[0]->category, top);
    EXPECT_EQ(path[1]->category, middle);
    EXPECT_EQ(path[2]->category, leaf);
    // The node found is the one below its parent, not the top-level listing.
    EXPECT_EQ(path[0], &all.getRoots()[0]);

    EXPECT_TRUE(all.pathTo(hidden).empty());
    const CategoryTree system(c.list, SYSTEM);
    EXPECT_TRUE(system.pathTo(leaf).empty());
    EXPECT_EQ(system.pathTo(top).size(), 1u);
}

}  // namespace
