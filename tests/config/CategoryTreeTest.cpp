#include "config/CategoryTree.h"

#include <gtest/gtest.h>

#include <deque>

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
    void storePriorState(RegistryStorage&) override {}
};

// A catalogue built by hand; the objects live as long as the test.
struct Catalogue {
    Category* category(const std::wstring& id, Category* parent = nullptr) {
        Category* c = &categories.emplace_back();
        c->setId(id);
        if (parent) {
            c->setParent(parent);
            parent->addSubCategory(c);
        }
        list.push_back(c);
        return c;
    }
    ItemGroup* group(Category* category, std::initializer_list<uint32_t> targets) {
        ItemGroup* g = &groups.emplace_back();
        for (uint32_t target : targets) g->addItem(&items.emplace_back(target));
        g->setParent(category);
        category->addItemGroup(g);
        return g;
    }
    std::vector<Category*> list;
    std::deque<Category> categories;
    std::deque<ItemGroup> groups;
    std::deque<TargetItem> items;
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

// users holds a system category, and mixed a user one two levels down; each
// meets a mask through what it holds.
TEST(CategoryTree, TargetsCombineUpwardsAndNodesAndPathsFollowTheMask) {
    Catalogue c;
    Category* users = c.category(L"users");
    Category* sys = c.category(L"sys", users);
    Category* mixed = c.category(L"mixed");
    Category* usr = c.category(L"usr", c.category(L"middle", mixed));
    Category* empty = c.category(L"empty");
    ItemGroup* both = c.group(users, {USER, 0});
    c.group(sys, {SYSTEM});
    c.group(mixed, {SYSTEM});
    c.group(usr, {USER});
    EXPECT_EQ(both->getAffectTarget(), USER);
    EXPECT_EQ(users->getAffectTarget(), USER | SYSTEM);
    EXPECT_EQ(empty->getAffectTarget(), 0u);

    const std::pair<uint32_t, std::wstring> cases[] = {
        {ALL, L"users(sys ) sys mixed(middle(usr ) ) middle(usr ) usr "},
        {SYSTEM, L"users(sys ) sys mixed "},
        {USER, L"users mixed(middle(usr ) ) middle(usr ) usr "},
        {0, L""},
    };
    for (const auto& [mask, roots] : cases) {
        EXPECT_EQ(describe(CategoryTree(c.list, mask).getRoots()), roots) << mask;
    }

    const CategoryTree all(c.list, ALL);
    const std::vector<const CategoryTree::Node*> path = all.pathTo(usr);
    ASSERT_EQ(path.size(), 3u);
    EXPECT_EQ(path[2]->category, usr);
    // The node found is the one below its parent, not the top-level listing.
    EXPECT_EQ(path[1], &all.getRoots()[2].children[0]);
    const CategoryTree system(c.list, SYSTEM);
    EXPECT_TRUE(system.pathTo(usr).empty());
    EXPECT_EQ(system.pathTo(mixed).size(), 1u);
}

}  // namespace
