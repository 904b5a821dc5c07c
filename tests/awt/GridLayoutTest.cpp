#include "awt/GridLayout.h"

#include <gtest/gtest.h>

#include "TestComponents.h"
#include "awt/Panel.h"
#include "core/Exception.h"

namespace {

using awt::GridLayout;
using awt_test::Bounds;
using awt_test::boundsOf;
using awt_test::Box;

TEST(GridLayout, CellsShareTheSpaceExactlyRowByRow) {
    awt::Panel panel;
    GridLayout layout(0, 2);
    panel.setLayout(&layout);
    Box a(1, 1), b(1, 1), c(1, 1);
    panel.add(&a);
    panel.add(&b);
    panel.add(&c);

    // 101 pixels in two columns: 50 and 51; the fourth cell stays empty.
    panel.setSize(101, 61);
    panel.validate();
    EXPECT_EQ(boundsOf(a), (Bounds{0, 0, 50, 30}));
    EXPECT_EQ(boundsOf(b), (Bounds{50, 0, 51, 30}));
    EXPECT_EQ(boundsOf(c), (Bounds{0, 30, 50, 31}));

    layout.setHgap(3);
    layout.setVgap(2);
    panel.setInsets({1, 2, 3, 4});
    panel.setSize(107, 70);
    b.setVisible(false);
    panel.validate();
    EXPECT_EQ(boundsOf(a), (Bounds{2, 1, 49, 32}));
    EXPECT_EQ(boundsOf(b), (Bounds{50, 0, 51, 30}));
    EXPECT_EQ(boundsOf(c), (Bounds{2, 35, 49, 32}));

    b.setVisible(true);
    panel.validate();
    EXPECT_EQ(boundsOf(b), (Bounds{54, 1, 49, 32}));
}

TEST(GridLayout, PreferredSizeIsTheLargestVisibleChildInEveryCell) {
    awt::Panel panel;
    GridLayout layout(0, 2);
    layout.setHgap(3);
    layout.setVgap(2);
    panel.setLayout(&layout);
    panel.setInsets({1, 2, 3, 4});
    EXPECT_EQ(panel.getPreferredSize(), (awt::Size{2 * 0 + 3 + 6, 4}));

    Box a(10, 5), b(20, 8), c(15, 12), hidden(99, 99);
    panel.add(&a);
    panel.add(&b);
    panel.add(&c);
    panel.add(&hidden);
    hidden.setVisible(false);
    EXPECT_EQ(panel.getPreferredSize(), (awt::Size{20 * 2 + 3 + 6, 12 * 2 + 2 + 4}));

    // Rows given, columns follow from the count.
    GridLayout row(1, 0);
    panel.setLayout(&row);
    EXPECT_EQ(panel.getPreferredSize(), (awt::Size{20 * 4 + 6, 12 + 4}));
}

TEST(GridLayout, NeedsRowsOrColumns) {
    try {
        GridLayout layout(0, 0);
        ADD_FAILURE() << "a grid without rows and columns was made";
    } catch (const IllegalArgumentException& e) {
        EXPECT_EQ(e.getMessage(), L"both of rows and cols specified 0");
    }
}

}  // namespace
