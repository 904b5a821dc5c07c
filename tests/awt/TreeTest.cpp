#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "GuiSupport.h"
#include "TestComponents.h"
#include "awt/Toolkit.h"
#include "awt/UsefulTree.h"

// Trees in a real tree view: what the control shows of the nodes, the
// events it raises, and a click and a key as a person gives them.
namespace {

using Node = awt::Tree::Node;
using Lines = std::vector<std::wstring>;

struct Events : awt::ItemListener {
    void itemStateChanged(awt::ItemEvent&) override { ++count; }
    int count = 0;
};

void show(awt::Frame& frame, awt::Tree& tree) {
    frame.add(&tree);
    tree.setBounds(0, 0, 300, 250);
    frame.setBounds(100, 100, 320, 300);
    frame.setVisible(true);
    awt_test::runFor(100);
}

LRESULT send(awt::Tree& tree, UINT message, WPARAM wParam, const void* lParam = nullptr) {
    return SendMessageW(tree.getHandle(), message, wParam, reinterpret_cast<LPARAM>(lParam));
}

HTREEITEM next(awt::Tree& tree, WPARAM relation, HTREEITEM from = nullptr) {
    return reinterpret_cast<HTREEITEM>(send(tree, TVM_GETNEXTITEM, relation, from));
}

// The node that the control's item stands for.
Node* nodeOf(awt::Tree& tree, HTREEITEM item) {
    TVITEMW query{};
    query.mask = TVIF_HANDLE | TVIF_PARAM;
    query.hItem = item;
    return send(tree, TVM_GETITEMW, 0, &query) ? reinterpret_cast<Node*>(query.lParam) : nullptr;
}

std::vector<HTREEITEM> visibleItems(awt::Tree& tree) {
    std::vector<HTREEITEM> items;
    for (HTREEITEM i = next(tree, TVGN_ROOT); i != nullptr; i = next(tree, TVGN_NEXTVISIBLE, i)) {
        items.push_back(i);
    }
    return items;
}

// The texts of the items that the control shows, top to bottom, as the
// control reports them; the tree's own walks down and up must agree.
Lines shown(awt::Tree& tree) {
    Lines texts;
    std::vector<Node*> down;
    for (HTREEITEM item : visibleItems(tree)) {
        wchar_t buffer[64] = {};
        TVITEMW query{};
        query.mask = TVIF_HANDLE | TVIF_TEXT;
        query.hItem = item;
        query.pszText = buffer;
        query.cchTextMax = 64;
        send(tree, TVM_GETITEMW, 0, &query);
        texts.push_back(query.pszText);
        down.push_back(down.empty() ? tree.getChild(tree.getRoot(), 0)
                                    : tree.getNextVisible(down.back()));
        EXPECT_EQ(down.back(), nodeOf(tree, item));
    }
    if (down.empty()) return texts;
    EXPECT_EQ(tree.getNextVisible(down.back()), nullptr);
    Node* up = down.back();
    for (auto at = down.rbegin() + 1; at != down.rend(); ++at) {
        EXPECT_EQ(up = tree.getPreviousVisible(up), *at);
    }
    EXPECT_EQ(tree.getPreviousVisible(up), nullptr);
    return texts;
}

TEST(Tree, NodesAddedBeforeAndAfterThePeerShowWithExpandedParentsOpen) {
    awt::Frame frame(L"tree nodes");
    awt::Tree tree;
    Events events;
    tree.addItemListener(&events);
    int data[2];
    Node* a = tree.addNode(tree.getRoot(), L"a", &data[0]);
    Node* b = tree.addNode(tree.getRoot(), L"b", &data[1]);
    tree.addNode(a, L"a1");
    Node* a2 = tree.addNode(a, L"a2");
    tree.addNode(b, L"b1");
    tree.setExpanded(a, true);
    tree.setExpanded(a2, true);
    tree.select(a2);
    show(frame, tree);
    EXPECT_EQ(shown(tree), (Lines{L"a", L"a1", L"a2", L"b"}));
    // The selection made before is the control's, without an event.
    EXPECT_EQ(nodeOf(tree, next(tree, TVGN_CARET)), a2);
    EXPECT_EQ(events.count, 0);

    tree.addNode(a2, L"a21");
    tree.addNode(a, L"a3");
    tree.addNode(b, L"b2");
    tree.addNode(tree.getRoot(), L"c");
    EXPECT_EQ(shown(tree), (Lines{L"a", L"a1", L"a2", L"a21", L"a3", L"b", L"c"}));
    EXPECT_EQ(tree.findChild(tree.getRoot(), &data[1]), b);
    EXPECT_EQ(tree.findChild(a, &data[1]), nullptr);
    EXPECT_EQ(tree.getChild(a, 1), a2);
}

TEST(Tree, ClearingASelectedTreeRaisesNoEventAndLeavesNoSelection) {
    awt::Tree detached;
    detached.select(detached.addNode(detached.getRoot(), L"n"));
    detached.removeAll();
    EXPECT_EQ(detached.getSelected(), nullptr);

    awt::Frame frame(L"tree clearing");
    awt::Tree tree;
    Events events;
    tree.addItemListener(&events);
    Node* a = tree.addNode(tree.getRoot(), L"a");
    tree.addNode(a, L"a1");
    Node* b = tree.addNode(tree.getRoot(), L"b");
    show(frame, tree);
    tree.select(b);
    EXPECT_EQ(events.count, 1);
    EXPECT_EQ(tree.getSelected(), b);
    tree.removeAll();
    EXPECT_EQ(events.count, 1);
    EXPECT_EQ(tree.getSelected(), nullptr);
    EXPECT_EQ(next(tree, TVGN_CARET), nullptr);
    EXPECT_EQ(send(tree, TVM_GETCOUNT, 0), 0);
    tree.addNode(tree.getRoot(), L"x");
    EXPECT_EQ(shown(tree), (Lines{L"x"}));
}

TEST(Tree, WhatTheControlRefusesIsThrownWithItsMessage) {
    awt::Frame frame(L"tree failures");
    awt::Tree other, tree;
    frame.add(&other);
    Node* stranger = other.addNode(other.getRoot(), L"s");
    show(frame, tree);
    // A node of another control is no item of this one.
    EXPECT_EQ(awt_test::thrownMessage([&] { tree.select(stranger); }),
              L"SendMessage(TVM_SELECTITEM) failed)");
    // Expansion reports without an item, which the control does not know.
    struct Case {
        UINT action;
        const wchar_t* message;
    } cases[] = {{TVE_TOGGLE, L"unknown tree expanded action: 3"},
                 {TVE_EXPAND, L"SendMessage(TVM_GETITEM) failed"}};
    for (const Case& c : cases) {
        NMTREEVIEWW change{};
        change.hdr = {tree.getHandle(), 0, TVN_ITEMEXPANDEDW};
        change.action = c.action;
        EXPECT_EQ(awt_test::thrownMessage([&] {
                      SendMessageW(frame.getHandle(), WM_NOTIFY, 0,
                                   reinterpret_cast<LPARAM>(&change));
                      awt::Toolkit::getDefaultToolkit().rethrowHeldException();
                  }),
                  c.message);
    }
}

TEST(Tree, PreferredSizeFollowsTheNodesAndTheLinesAtTheRoot) {
    awt::Frame frame(L"tree size");
    awt::Tree tree;
    show(frame, tree);
    TEXTMETRICW metrics;
    SIZE wide;
    HDC dc = GetDC(tree.getHandle());
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(send(tree, WM_GETFONT, 0)));
    GetTextMetricsW(dc, &metrics);
    GetTextExtentPoint32W(dc, L"a wide node", 11, &wide);
    ReleaseDC(tree.getHandle(), dc);
    const int edges = GetSystemMetrics(SM_CXVSCROLL) +
                      2 * (GetSystemMetrics(SM_CXEDGE) + GetSystemMetrics(SM_CXBORDER));
    // One line of text with the frame around it, even with nothing in it.
    EXPECT_EQ(tree.getPreferredSize(),
              (awt::Size{edges, metrics.tmHeight + 2 * (GetSystemMetrics(SM_CYEDGE) +
                                                        GetSystemMetrics(SM_CYBORDER))}));
    const awt::Size empty = tree.getPreferredSize();
    Node* top = tree.addNode(tree.getRoot(), L"n");
    tree.addNode(tree.getRoot(), L"m");
    const int indent = static_cast<int>(send(tree, TVM_GETINDENT, 0));
    tree.addNode(top, L"a wide node");
    const awt::Size two = tree.getPreferredSize();
    EXPECT_EQ(two.height - empty.height, metrics.tmHeight + 4 * GetSystemMetrics(SM_CYBORDER));
    EXPECT_EQ(two.width, edges + wide.cx + indent + 2 * GetSystemMetrics(SM_CXBORDER));
    tree.setLinesAtRoot(true);
    EXPECT_EQ(tree.getPreferredSize().width, two.width + indent);
    EXPECT_NE(GetWindowLongPtrW(tree.getHandle(), GWL_STYLE) & TVS_LINESATROOT, 0);
}

TEST(UsefulTree, APressSelectsTheNodeUnderThePointerWhichThenOpens) {
    awt::Frame frame(L"useful tree");
    awt::UsefulTree tree;
    Events events;
    tree.addItemListener(&events);
    tree.addNode(tree.getRoot(), L"a");
    Node* b = tree.addNode(tree.getRoot(), L"b");
    tree.addNode(b, L"b1");
    tree.addNode(tree.getRoot(), L"c");
    show(frame, tree);
    // The item goes in where the rectangle comes out.
    RECT label{};
    const HTREEITEM itemB = visibleItems(tree).at(1);
    std::memcpy(&label, &itemB, sizeof itemB);
    ASSERT_TRUE(send(tree, TVM_GETITEMRECT, TRUE, &label));
    POINT center{(label.left + label.right) / 2, (label.top + label.bottom) / 2};
    EXPECT_EQ(tree.getNodeAt(center.x, center.y), b);
    EXPECT_EQ(tree.getNodeAt(center.x, 240), nullptr);
    ClientToScreen(tree.getHandle(), &center);
    awt_test::xdotool(L"mousemove " + std::to_wstring(center.x) + L" " + std::to_wstring(center.y) +
                      L" click 1");
    ASSERT_TRUE(awt_test::runUntil([&] { return tree.getSelected() == b; }));
    awt_test::runFor(200);
    EXPECT_TRUE(b->isExpanded());
    EXPECT_EQ(shown(tree), (Lines{L"a", L"b", L"b1", L"c"}));
    EXPECT_EQ(events.count, 1);
    // Closing it from the keyboard is reported back by the control.
    tree.requestFocus();
    ASSERT_TRUE(awt_test::typeKeys(frame, L"Left"));
    EXPECT_FALSE(b->isExpanded());
    EXPECT_EQ(shown(tree), (Lines{L"a", L"b", L"c"}));
}

}  // namespace
