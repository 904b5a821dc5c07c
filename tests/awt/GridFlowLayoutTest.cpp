#include "awt/GridFlowLayout.h"

#include <gtest/gtest.h>

#include <vector>

#include "TestComponents.h"
#include "awt/Panel.h"
#include "core/Exception.h"

namespace {

using awt::GridFlowLayout;
using awt_test::Bounds;
using awt_test::boundsOf;
using awt_test::Box;

TEST(GridFlowLayout, ColumnsAndRowsSizeToTheirContents) {
    awt::Panel panel;
    GridFlowLayout layout(0, 2);
    layout.setHorizontalAlignment(GridFlowLayout::LEFT);
    layout.setVerticalAlignment(GridFlowLayout::TOP);
    layout.setCellHorizontalAlignment(GridFlowLayout::LEFT);
    layout.setCellVerticalAlignment(GridFlowLayout::TOP);
    layout.setHgap(3);
    layout.setVgap(2);
    panel.setLayout(&layout);
    panel.setInsets({1, 2, 3, 4});
    panel.setSize(100, 80);
    // Five children in two columns make three rows, the last with one cell.
    Box c0(10, 5), c1(20, 8), c2(15, 12), c3(5, 6), c4(8, 3);
    for (Box* box : {&c0, &c1, &c2, &c3, &c4}) panel.add(box);

    EXPECT_EQ(panel.getPreferredSize(), (awt::Size{15 + 3 + 20 + 6, 8 + 2 + 12 + 2 + 3 + 4}));
    panel.validate();
    EXPECT_EQ(boundsOf(c0), (Bounds{2, 1, 10, 5}));
    EXPECT_EQ(boundsOf(c1), (Bounds{20, 1, 20, 8}));
    EXPECT_EQ(boundsOf(c2), (Bounds{2, 11, 15, 12}));
    EXPECT_EQ(boundsOf(c3), (Bounds{20, 11, 5, 6}));
    EXPECT_EQ(boundsOf(c4), (Bounds{2, 25, 8, 3}));
}

TEST(GridFlowLayout, FillStretchesAndGivesTheLeftoverPixelsToTheFirstLengths) {
    awt::Panel panel;
    GridFlowLayout layout(1, 3);
    layout.setVerticalAlignment(GridFlowLayout::TOP);
    layout.setHgap(2);
    panel.setLayout(&layout);
    Box a(10, 5), b(20, 5), c(30, 5);
    panel.add(&a);
    panel.add(&b);
    panel.add(&c);

    // 97 pixels besides the gaps for 60 wanted: 16.2, 32.3 and 48.5, and the
    // one pixel that truncation leaves goes to the first column.
    panel.setSize(101, 50);
    panel.validate();
    EXPECT_EQ(boundsOf(a), (Bounds{0, 0, 17, 5}));
    EXPECT_EQ(boundsOf(b), (Bounds{19, 0, 32, 5}));
    EXPECT_EQ(boundsOf(c), (Bounds{53, 0, 48, 5}));

    // Shrinking scales the same way.
    panel.setSize(34, 50);
    panel.validate();
    EXPECT_EQ(boundsOf(a), (Bounds{0, 0, 5, 5}));
    EXPECT_EQ(boundsOf(b), (Bounds{7, 0, 10, 5}));
    EXPECT_EQ(boundsOf(c), (Bounds{19, 0, 15, 5}));
}

TEST(GridFlowLayout, FillNeverGivesRoomToARowOfHiddenChildren) {
    awt::Panel panel;
    GridFlowLayout layout(0, 1);
    layout.setCellHorizontalAlignment(GridFlowLayout::LEFT);
    layout.setVgap(3);
    panel.setLayout(&layout);
    panel.setSize(20, 35);
    Box r0(5, 10), hidden(5, 10), r2(5, 10), r3(5, 10);
    for (Box* box : {&r0, &hidden, &r2, &r3}) panel.add(box);
    hidden.setVisible(false);

    // 29 pixels for three rows of 10: 9 each and two left over, for the
    // first two rows that take room. The rows end exactly at the bottom.
    panel.validate();
    EXPECT_EQ(boundsOf(r0), (Bounds{0, 0, 5, 10}));
    EXPECT_EQ(boundsOf(hidden), (Bounds{0, 0, 0, 0}));
    EXPECT_EQ(boundsOf(r2), (Bounds{0, 13, 5, 10}));
    EXPECT_EQ(boundsOf(r3), (Bounds{0, 26, 5, 9}));
}

TEST(GridFlowLayout, AlignsEachChildWithinItsCell) {
    struct Case {
        int32_t horizontal;
        int32_t vertical;
        Bounds expected;
    };
    // The small child's cell is 30 wide (from the wide child below it) and
    // 20 high (from the tall child beside it).
    const std::vector<Case> cases = {
        {GridFlowLayout::FILL, GridFlowLayout::FILL, {0, 0, 30, 20}},
        {GridFlowLayout::LEFT, GridFlowLayout::TOP, {0, 0, 10, 6}},
        {GridFlowLayout::RIGHT, GridFlowLayout::BOTTOM, {20, 14, 10, 6}},
        {GridFlowLayout::CENTER, GridFlowLayout::CENTER, {10, 7, 10, 6}},
    };
    for (const Case& c : cases) {
        awt::Panel panel;
        GridFlowLayout layout(0, 2);
        layout.setHorizontalAlignment(GridFlowLayout::LEFT);
        layout.setVerticalAlignment(GridFlowLayout::TOP);
        layout.setCellHorizontalAlignment(c.horizontal);
        layout.setCellVerticalAlignment(c.vertical);
        panel.setLayout(&layout);
        panel.setSize(200, 200);
        Box small(10, 6), tall(5, 20), wide(30, 4), other(1, 1);
        for (Box* box : {&small, &tall, &wide, &other}) panel.add(box);
        panel.validate();
        EXPECT_EQ(boundsOf(small), c.expected) << c.horizontal << " " << c.vertical;
    }
}

TEST(GridFlowLayout, AlignsTheWholeGridWithinTheInsets) {
    struct Case {
        int32_t horizontal;
        int32_t vertical;
        Bounds expected;
    };
    // Content 16 x 10 with the insets, in a client area of 50 x 40.
    const std::vector<Case> cases = {
        {GridFlowLayout::LEFT, GridFlowLayout::TOP, {2, 1, 10, 6}},
        {GridFlowLayout::RIGHT, GridFlowLayout::BOTTOM, {36, 31, 10, 6}},
        {GridFlowLayout::CENTER, GridFlowLayout::CENTER, {19, 16, 10, 6}},
        {GridFlowLayout::FILL, GridFlowLayout::FILL, {2, 1, 44, 36}},
    };
    for (const Case& c : cases) {
        awt::Panel panel;
        GridFlowLayout layout(1, 0);
        layout.setHorizontalAlignment(c.horizontal);
        layout.setVerticalAlignment(c.vertical);
        panel.setLayout(&layout);
        panel.setInsets({1, 2, 3, 4});
        panel.setSize(50, 40);
        Box child(10, 6);
        panel.add(&child);
        panel.validate();
        EXPECT_EQ(boundsOf(child), c.expected) << c.horizontal << " " << c.vertical;
    }
}

TEST(GridFlowLayout, AHiddenCellKeepsTheColumnsInLine) {
    awt::Panel panel;
    GridFlowLayout layout(0, 3);
    layout.setHorizontalAlignment(GridFlowLayout::LEFT);
    layout.setVerticalAlignment(GridFlowLayout::TOP);
    layout.setHgap(4);
    panel.setLayout(&layout);
    panel.setSize(100, 100);
    Box a(10, 5), b(10, 5), c(10, 5), d(10, 5), hidden(10, 5), f(10, 5);
    for (Box* box : {&a, &b, &c, &d, &hidden, &f}) panel.add(box);
    hidden.setVisible(false);
    panel.validate();
    EXPECT_EQ(boundsOf(c).x, 28);
    EXPECT_EQ(boundsOf(f), (Bounds{28, 5, 10, 5}));
}

TEST(GridFlowLayout, NeedsRowsOrColumnsAndIgnoresChildrenBeyondItsCells) {
    try {
        GridFlowLayout layout(0, 0);
        ADD_FAILURE() << "a grid without rows and columns was made";
    } catch (const IllegalArgumentException& e) {
        EXPECT_EQ(e.getMessage(), L"both of rows and cols specified 0");
    }

    awt::Panel panel;
    GridFlowLayout layout(1, 2);
    panel.setLayout(&layout);
    panel.setSize(100, 100);
    Box a(10, 5), b(10, 5), extra(50, 50);
    for (Box* box : {&a, &b, &extra}) panel.add(box);
    EXPECT_EQ(panel.getPreferredSize(), (awt::Size{20, 5}));
    panel.validate();
    EXPECT_EQ(boundsOf(extra), (Bounds{0, 0, 0, 0}));
}

}  // namespace
