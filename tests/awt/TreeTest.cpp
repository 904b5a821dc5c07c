#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include "GuiSupport.h"
#include "awt/UsefulTree.h"

// Trees in a real tree view: what the control shows of the nodes, the
// events it raises, and a click and a key as a person gives them.
namespace {

using namespace awt_test;
using Node = awt::Tree::Node;

void show(awt::Frame& frame, awt::Tree& tree) {
    frame.add(&tree);
    tree.setBounds(0, 0, 300, 250);
    awt_test::show(frame, 320, 300);
}

LRESULT send(awt::Tree& tree, UINT message, WPARAM wParam, const void* lParam = nullptr) {
    return SendMessageW(tree.getHandle(), message, wParam, reinterpret_cast<LPARAM>(lParam));
}

HTREEITEM next(awt::Tree& tree, WPARAM relation, HTREEITEM from = nullptr) {
    return reinterpret_cast<HTREEITEM>(send(tree, TVM_GETNEXTITEM, relation, from));
}

// The texts that the control shows, top to bottom, as it reports them; the
// tree's own walks down and back up must meet the same nodes.
Lines shown(awt::Tree& tree) {
    Lines texts;
    std::vector<Node*> nodes;
    for (HTREEITEM i = next(tree, TVGN_ROOT); i != nullptr; i = next(tree, TVGN_NEXTVISIBLE, i)) {
        wchar_t buffer[64] = {};
        TVITEMW query{};
        query.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_PARAM;
        query.hItem = i;
        query.pszText = buffer;
        query.cchTextMax = 64;
        send(tree, TVM_GETITEMW, 0, &query);
        texts.push_back(query.pszText);
        nodes.push_back(reinterpret_cast<Node*>(query.lParam));
    }
    for (size_t i = 0; i < nodes.size(); ++i) {
        EXPECT_EQ(tree.getNextVisible(nodes[i]), i + 1 < nodes.size() ? nodes[i + 1] : nullptr);
        EXPECT_EQ(tree.getPreviousVisible(nodes[i]), i > 0 ? nodes[i - 1] : nullptr);
    }
    return texts;
}

TEST(Tree, NodesShowBeforeAndAfterThePeerAndClearingRaisesNoEvent) {
    awt::Frame frame(L"tree nodes");
    awt::Tree tree;
    Recorder events;
    tree.addItemListener(&events);
    int data;
    Node* a = tree.addNode(tree.getRoot(), L"a");
    Node* b = tree.addNode(tree.getRoot(), L"b", &data);
    tree.addNode(a, L"a1");
    Node* a2 = tree.addNode(a, L"a2");
    tree.addNode(b, L"b1");
    tree.setExpanded(a, true);
    tree.setExpanded(a2, true);
    tree.select(a2);
    show(frame, tree);
    EXPECT_EQ(shown(tree), (Lines{L"a", L"a1", L"a2", L"b"}));
    // The selection made before is the control's, without an event.
    EXPECT_EQ(next(tree, TVGN_CARET),
              next(tree, TVGN_NEXTVISIBLE, next(tree, TVGN_NEXTVISIBLE, next(tree, TVGN_ROOT))));
    EXPECT_EQ(events.lines.size(), 0u);

    tree.addNode(a2, L"a21");
    tree.addNode(a, L"a3");
    tree.addNode(b, L"b2");
    tree.addNode(tree.getRoot(), L"c");
    EXPECT_EQ(shown(tree), (Lines{L"a", L"a1", L"a2", L"a21", L"a3", L"b", L"c"}));
    EXPECT_EQ(tree.findChild(tree.getRoot(), &data), b);

    tree.select(b);
    EXPECT_EQ(events.lines.size(), 1u);
    tree.removeAll();
    EXPECT_EQ(events.lines.size(), 1u);
    EXPECT_EQ(tree.getSelected(), nullptr);
    EXPECT_EQ(next(tree, TVGN_CARET), nullptr);
    tree.addNode(tree.getRoot(), L"x");
    EXPECT_EQ(shown(tree), (Lines{L"x"}));
}

TEST(Tree, PreferredSizeFollowsTheNodesAndTheLinesAtTheRoot) {
    awt::Frame frame(L"tree size");
    awt::Tree tree;
    show(frame, tree);
    Node* top = tree.addNode(tree.getRoot(), L"n");
    const int narrow = tree.getPreferredSize().width;
    // A nested node counts as soon as it is added.
    tree.addNode(top, L"a much wider node");
    const awt::Size one = tree.getPreferredSize();
    EXPECT_GT(one.width, narrow);
    tree.setLinesAtRoot(true);
    EXPECT_EQ(tree.getPreferredSize().width, one.width + send(tree, TVM_GETINDENT, 0));
}

TEST(UsefulTree, APressSelectsTheNodeUnderThePointerWhichThenOpens) {
    awt::Frame frame(L"useful tree");
    awt::UsefulTree tree;
    Recorder events;
    tree.addItemListener(&events);
    tree.addNode(tree.getRoot(), L"a");
    Node* b = tree.addNode(tree.getRoot(), L"b");
    tree.addNode(b, L"b1");
    show(frame, tree);
    // The item goes in where its rectangle comes out.
    RECT label{};
    const HTREEITEM itemB = next(tree, TVGN_LASTVISIBLE);
    std::memcpy(&label, &itemB, sizeof itemB);
    ASSERT_TRUE(send(tree, TVM_GETITEMRECT, TRUE, &label));
    const POINT center{(label.left + label.right) / 2, (label.top + label.bottom) / 2};
    EXPECT_EQ(tree.getNodeAt(center.x, 200), nullptr);
    click(tree, center.x, center.y);
    ASSERT_TRUE(runUntil([&] { return tree.getSelected() == b; }));
    runFor(200);
    EXPECT_TRUE(b->isExpanded());
    EXPECT_EQ(shown(tree), (Lines{L"a", L"b", L"b1"}));
    EXPECT_EQ(events.lines.size(), 1u);
    // Closing it from the keyboard is reported back by the control.
    tree.requestFocus();
    ASSERT_TRUE(typeKeys(frame, L"Left"));
    EXPECT_FALSE(b->isExpanded());
    EXPECT_EQ(shown(tree), (Lines{L"a", L"b"}));
}

}  // namespace
